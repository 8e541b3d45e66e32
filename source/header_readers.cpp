#include "source/header_readers.h"

#include <cmath>
#include <cstdio>

#include "platform/cp932.h"
#include "platform/errors.h"
#include "reference/text_helpers.h"
#include "source/record_file.h"
#include "source/record_lines.h"

namespace tavrimen {
namespace {

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

constexpr HeaderRecord kCntRecord{1, {0, 1, 2, 3, 4, 5, 6}};
constexpr HeaderRecord kTitle1Record{2, {0,  2,  3,  0,  4, 6,  7,  7,  0,  0,  11, 11, 11, 11,
                                         11, 11, 15, 15, 0, 20, 14, 14, 14, 14, 16, 18, 19, 17}};
constexpr HeaderRecord kTitle2Record{3, {0, 10, 10, 12, 13, 8, 8, 8, 9, 9, 9, 0, 15, 15, 15}};

void HeaderReaders::WriteDefaultMarks(int kind) {
  for (int j = 1; j <= kCatalogue.src_field_count[kind]; ++j) {
    switch (kCatalogue.src_field_default[kind][j]) {
      case kTextField:
        src_field_[j] = record::kNoText;
        break;
      case kNumberField:
        src_field_[j] = record::kNoNumber;
        break;
      case kMarkedNumberField:
        src_field_[j] = record::kNoElevation;
        break;
      default:
        break;
    }
  }
}

void HeaderReaders::FillSourceFields(const HeaderRecord& record, const std::string* source) {
  const int kind = record.kind;
  for (std::string& field : src_field_) field.clear();
  WriteDefaultMarks(kind);
  if (source == nullptr) return;
  for (int j = 1; j <= kCatalogue.src_field_count[kind]; ++j) {
    const std::string& s = source[j];
    if (s.empty() || record.field_line[j] == 0) continue;
    switch (kCatalogue.src_field_default[kind][j]) {
      case kTextField:
        src_field_[j] = NormaliseTextField(s);
        break;
      case kNumberField:
      case kMarkedNumberField:
        src_field_[j] = s;
        break;
      default:
        break;
    }
  }
}

void HeaderReaders::FillTitleFields(const HeaderRecord& record) {
  // The title files are read already.
  const int count =
      record.kind == kTitle1Record.kind ? title_data_.title1_count : title_data_.title2_count;
  FillSourceFields(record, count == 0 ? nullptr : title_data_.cell[record.kind - 1].data());
}

CntValues HeaderReaders::ReadCntRecord() {
  // CNT.TXT is read here, its first ten items. A file of line ends alone holds no record.
  const RecordFile file = RecordFile::OpenOrEmpty(source_folder_, kCntFile);
  std::array<std::string, kCntFile.items_per_record + 1> items;
  if (!file.records().empty()) {
    const Record first = file.records().front();
    for (int n = 1; n <= kCntFile.items_per_record; ++n) items[n] = first[n];
  }
  FillSourceFields(kCntRecord, file.records().empty() ? nullptr : items.data());
  CntValues values;
  values.soil_pattern = src_field_[6];
  values.loader_argument = file.Number(src_field_[5]);
  values.boring_number = src_field_[3];
  return values;
}

void HeaderReaders::ReadTitle1Record() {
  FillTitleFields(kTitle1Record);
  namespace line_of = record::header;
  static const std::string kWesternYear = cp932::FromUtf8(line_of::kPeriodPrefix);
  for (int j = 1; j <= kCatalogue.src_field_count[kTitle1Record.kind]; ++j) {
    const int line = kTitle1Record.field_line[j];
    if (line == 0) continue;
    std::string& text = lines_[line];
    const std::string& field = src_field_[j];
    if (text.empty()) {
      text = field;
      if (line == line_of::kPeriod) {
        text = kWesternYear + text;
      } else if (line == line_of::kDrilled) {
        text += line_of::kDrilledTail;
      } else if (line == line_of::kMachineMethod) {
        const float code = title2_file_.Number(field);
        if (auto name = code_tables_.Get(*kTitle2File.codes[0].table).Find(code)) text = *name;
      }
    } else if (line == line_of::kLocation && field == record::kNoText) {
      continue;
    } else if (line == line_of::kLocation || line == line_of::kAngles) {
      text += field;
    } else {
      text += " " + field;
    }
  }
  lines_[line_of::kUnused] = record::kNoText;
}

void HeaderReaders::ReadTitle2Record() {
  FillTitleFields(kTitle2Record);
  for (int j = 1; j <= kCatalogue.src_field_count[kTitle2Record.kind]; ++j) {
    const int line = kTitle2Record.field_line[j];
    if (line == record::header::kAngles) {
      src_field_[j] = WholePartText(title2_file_.Number(src_field_[j]));
    }
    if (line == 0) continue;
    std::string& text = lines_[line];
    const std::string& field = src_field_[j];
    if (text.empty()) {
      text = field;
    } else if (line == record::header::kClient && field == record::kNoText) {
      continue;
    } else if (line == record::header::kClient) {
      text += field;
    } else {
      text += " " + field;
    }
  }
}

}  // namespace tavrimen
