#include "source/header_readers.h"

#include <cmath>
#include <cstdio>

#include "platform/cp932.h"
#include "platform/errors.h"
#include "platform/file_system.h"
#include "platform/item_reader.h"
#include "reference/text_helpers.h"

namespace tavrimen {
namespace {

constexpr int kRawCntItems = 10;

// A text field as the record file carries it: a half-width blank becomes "_", an ideographic
// blank "__"; backslash and yen sign are dropped.
std::string NormaliseTextField(std::string_view text) {
  static const std::string kIdeographicSpace = cp932::FromUtf8("　");
  static const std::string kYenSign = cp932::FromUtf8("￥");
  std::string out;
  for (std::string_view ch : cp932::Chars(text)) {
    if (ch == " ") {
      out += "_";
    } else if (ch == kIdeographicSpace) {
      out += "__";
    } else if (ch == "\\" || ch == kYenSign) {
      // dropped
    } else {
      out += ch;
    }
  }
  return out;
}

// The whole part of a number (toward minus infinity) in decimal, with no blanks.
std::string WholePartText(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.0f", std::floor(static_cast<double>(value)));
  return std::string(text) == "-0" ? "0" : text;
}

}  // namespace

void HeaderReaders::SetFieldLines(std::initializer_list<int> lines) {
  int j = 1;
  for (int line : lines) field_line[j++] = line;
}

void HeaderReaders::WriteDefaultMarks() {
  for (int j = 1; j <= catalogue_.src_field_count[kind]; ++j) {
    switch (catalogue_.src_field_default[kind][j]) {
      case kTextField:
        src_field[j] = "@";
        break;
      case kNumberField:
        src_field[j] = "-1";
        break;
      case kMarkedNumberField:
        src_field[j] = "999";
        break;
      default:
        break;
    }
  }
}

void HeaderReaders::SetSourceDefaults() {
  for (int j = 1; j <= 30; ++j) src_field[j].clear();
  WriteDefaultMarks();
}

void HeaderReaders::FillSourceFields() {
  std::array<std::string, kRawCntItems + 1> raw_item;
  if (kind == 2 || kind == 3) {
    if ((kind == 2 ? title_data_.title1_count : title_data_.title2_count) == 0) {
      SetSourceDefaults();
      return;
    }
  } else {
    const std::string path = source_folder_ + catalogue_.src_file_name[kind];
    if (platform::ProbeFile(path) == 0) {
      SetSourceDefaults();
      return;
    }
    const std::string bytes = platform::ReadWholeFile(path);
    platform::ItemReader reader(bytes);
    for (int n = 1; !reader.AtEnd(); ++n) {
      std::string item = reader.NextText();
      if (n <= kRawCntItems) raw_item[n] = std::move(item);
    }
  }
  WriteDefaultMarks();
  for (int j = 1; j <= catalogue_.src_field_count[kind]; ++j) {
    const std::string& s = kind == 2 || kind == 3 ? title_data_.cell[kind - 1][j] : raw_item[j];
    if (s.empty() || field_line[j] == 0) continue;
    switch (catalogue_.src_field_default[kind][j]) {
      case kTextField:
        src_field[j] = NormaliseTextField(s);
        break;
      case kNumberField:
      case kMarkedNumberField:
        src_field[j] = s;
        break;
      default:
        break;
    }
  }
}

CntValues HeaderReaders::ReadCntRecord() {
  kind = 1;
  SetFieldLines({1, 2, 3, 4, 5, 6});
  FillSourceFields();
  CntValues values;
  values.text6 = src_field[6];
  values.number5 = NumberInFile(src_field[5], source_folder_ + catalogue_.src_file_name[1]);
  values.text3 = src_field[3];
  return values;
}

void HeaderReaders::ReadTitle1Record() {
  kind = 2;
  SetFieldLines({2,  3,  0,  4, 6,  7,  7,  0,  0,  11, 11, 11, 11, 11,
                 11, 15, 15, 0, 20, 14, 14, 14, 14, 16, 18, 19, 17});
  FillSourceFields();
  static const std::string kWesternYear = cp932::FromUtf8("西暦 ");
  for (int j = 1; j <= catalogue_.src_field_count[2]; ++j) {
    const int line = field_line[j];
    if (line == 0) continue;
    std::string& text = lines_[line];
    const std::string& field = src_field[j];
    if (text.empty()) {
      text = field;
      if (line == 11) {
        text = kWesternYear + text;
      } else if (line == 20) {
        text += " -1 -1";
      } else if (line == 17) {
        const float code = NumberInFile(field, source_folder_ + catalogue_.src_file_name[3]);
        if (auto name = code_tables_.Get(kL2Table).Find(code)) text = *name;
      }
    } else if (line == 7 && field == "@") {
      continue;
    } else if (line == 7 || line == 15) {
      text += field;
    } else {
      text += " " + field;
    }
  }
  lines_[5] = "@";
}

void HeaderReaders::ReadTitle2Record() {
  kind = 3;
  SetFieldLines({10, 10, 12, 13, 8, 8, 8, 9, 9, 9, 0, 15, 15, 15});
  FillSourceFields();
  for (int j = 1; j <= catalogue_.src_field_count[3]; ++j) {
    const int line = field_line[j];
    if (line == 15) {
      src_field[j] =
          WholePartText(NumberInFile(src_field[j], source_folder_ + catalogue_.src_file_name[3]));
    }
    if (line == 0) continue;
    std::string& text = lines_[line];
    const std::string& field = src_field[j];
    if (text.empty()) {
      text = field;
    } else if (line == 10 && field == "@") {
      continue;
    } else if (line == 10) {
      text += field;
    } else {
      text += " " + field;
    }
  }
}

}  // namespace tavrimen
