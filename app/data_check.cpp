#include "app/data_check.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <tuple>

#include "app/output_generation.h"
#include "app/session.h"
#include "output/errors.h"
#include "output/layer_cursor.h"
#include "output/record_blocks.h"
#include "platform/cp932.h"
#include "platform/errors.h"
#include "platform/file_system.h"
#include "platform/item_reader.h"
#include "reference/text_helpers.h"

namespace tavrimen {
namespace {

// One source file read as records of a fixed number of items, with the position of each item.
class RecordFile {
 public:
  RecordFile(std::string path, std::string bytes, int items_per_record)
      : path_(std::move(path)), bytes_(std::move(bytes)) {
    platform::ItemReader reader(bytes_);
    while (!reader.AtEnd()) {
      std::vector<platform::Item> record;
      for (int i = 0; i < items_per_record && !reader.AtEnd(); ++i) record.push_back(reader.Next());
      // A comma that ends the data is followed by one more, empty, item.
      std::size_t read = record.size();
      if (reader.AtEnd() && read < static_cast<std::size_t>(items_per_record) &&
          platform::ItemReader::DataLength(bytes_) > 0 &&
          bytes_[platform::ItemReader::DataLength(bytes_) - 1] == ',') {
        ++read;
      }
      short_last_ = read < static_cast<std::size_t>(items_per_record) ? static_cast<int>(read) : 0;
      // Missing items stand at the end of the data.
      platform::Item missing;
      missing.start = platform::ItemReader::DataLength(bytes_) + 1;
      record.resize(static_cast<std::size_t>(items_per_record), missing);
      records_.push_back(std::move(record));
    }
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
      if (bytes_[i] == '\n' ||
          (bytes_[i] == '\r' && (i + 1 >= bytes_.size() || bytes_[i + 1] != '\n'))) {
        line_starts_.push_back(i + 1);
      }
    }
  }

  const std::string& path() const { return path_; }
  const std::vector<std::vector<platform::Item>>& records() const { return records_; }
  int short_last() const { return short_last_; }
  const std::string& bytes() const { return bytes_; }

  // Line and column (characters) of a 1-based byte position. Positions asked in increasing
  // order on one line are counted on from the last one, so that a long line costs its length
  // once, not once per finding.
  std::pair<int, int> Where(std::size_t position) const {
    const std::size_t offset = std::min(position == 0 ? 0 : position - 1, bytes_.size());
    auto after = std::upper_bound(line_starts_.begin(), line_starts_.end(), offset);
    const std::size_t line_start = after == line_starts_.begin() ? 0 : *(after - 1);
    const int line = static_cast<int>(after - line_starts_.begin()) + 1;
    if (line_start != counted_line_start_ || offset < counted_offset_) {
      counted_line_start_ = line_start;
      counted_offset_ = line_start;
      counted_chars_ = 0;
    }
    counted_chars_ += cp932::CharCount(
        std::string_view(bytes_).substr(counted_offset_, offset - counted_offset_));
    counted_offset_ = offset;
    return {line, static_cast<int>(counted_chars_) + 1};
  }

 private:
  std::string path_;
  std::string bytes_;
  std::vector<std::vector<platform::Item>> records_;
  std::vector<std::size_t> line_starts_;
  int short_last_ = 0;
  mutable std::size_t counted_line_start_ = 0;
  mutable std::size_t counted_offset_ = 0;
  mutable std::size_t counted_chars_ = 0;
};

class Checker {
 public:
  Checker(std::string source_folder, std::string patdat_path)
      : folder_(std::move(source_folder)), session_(std::move(patdat_path)) {}

  std::vector<Finding> Run();

 private:
  void Add(const std::string& file, int line, int column, Severity severity, std::string message) {
    findings_.push_back({file, line, column, severity, std::move(message)});
  }
  void Add(const RecordFile& file, const platform::Item& item, Severity severity,
           std::string message) {
    auto [line, column] = file.Where(item.start);
    Add(file.path(), line, column, severity, std::move(message));
  }

  // The file as the conversion reads it, or nothing when it is missing or empty.
  std::optional<RecordFile> Open(const std::string& name, int items_per_record);
  std::optional<float> Number(const RecordFile& file, const platform::Item& item, const char* what);
  void CheckBytes(const RecordFile& file);
  void CheckShortLastRecord(const RecordFile& file, int items_per_record);
  void CheckDepths(const RecordFile& file, int item, bool continuations);
  void CheckCodes(const RecordFile& file, int item, const char* table, int items_per_row,
                  int first_record = 0);
  void CheckLayerFiles();
  void CheckBlockFiles();
  void CheckCreatedAndDeletedFiles();
  void CheckConversion();

  std::string folder_;
  Session session_;
  std::vector<Finding> findings_;
};

std::optional<RecordFile> Checker::Open(const std::string& name, int items_per_record) {
  const std::string path = folder_ + name;
  if (platform::ProbeFile(path) == 0) return std::nullopt;
  try {
    return RecordFile(path, platform::ReadWholeFile(path), items_per_record);
  } catch (const IoError& e) {
    Add(path, 0, 0, Severity::kError, "ファイルを読み込めません: " + e.reason());
    return std::nullopt;
  }
}

std::optional<float> Checker::Number(const RecordFile& file, const platform::Item& item,
                                     const char* what) {
  try {
    return NumberFromText(item.text);
  } catch (const NumberOverflowError&) {
    // An error only where the conversion reads it: the conversion check below says so.
    Add(file, item, Severity::kWarning,
        std::string(what) + "の数値が大きすぎます: 「" + cp932::ToUtf8(item.text) + "」");
    return std::nullopt;
  }
}

void Checker::CheckBytes(const RecordFile& file) {
  const std::string& bytes = file.bytes();
  for (std::size_t pos = 0; pos < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    bool valid = true;
    std::size_t length = 1;
    if (cp932::IsLeadByte(lead)) {
      length = 2;
      const auto trail = pos + 1 < bytes.size() ? static_cast<unsigned char>(bytes[pos + 1]) : 0;
      valid = ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC)) &&
              cp932::ToUtf8(std::string_view(bytes).substr(pos, 2)).find('?') == std::string::npos;
    } else {
      valid = lead < 0x80 || (lead >= 0xA1 && lead <= 0xDF);
    }
    if (!valid) {
      auto [line, column] = file.Where(pos + 1);
      Add(file.path(), line, column, Severity::kWarning,
          "シフトJIS（コードページ932）の文字ではないバイトがあります");
      return;  // one finding a file is enough to find the place
    }
    pos += length;
  }
}

void Checker::CheckShortLastRecord(const RecordFile& file, int items_per_record) {
  if (file.short_last() == 0) return;
  const auto& last = file.records().back();
  const platform::Item& item = last[static_cast<std::size_t>(file.short_last() - 1)];
  Add(file, item, Severity::kWarning,
      "最後のレコードの項目が足りません（" + std::to_string(items_per_record) + " 項目中 " +
          std::to_string(file.short_last()) + " 項目）。足りない項目は空として読みます");
}

void Checker::CheckDepths(const RecordFile& file, int item, bool continuations) {
  std::optional<float> previous;
  for (const auto& record : file.records()) {
    const platform::Item& depth = record[static_cast<std::size_t>(item - 1)];
    if (continuations && Trim(depth.text).empty()) continue;
    if (!IsNumericText(depth.text)) {
      Add(file, depth, Severity::kWarning,
          "深度が数値ではありません: 「" + cp932::ToUtf8(depth.text) + "」（0 として読みます）");
      continue;
    }
    auto value = Number(file, depth, "深度");
    if (!value) continue;
    if (continuations && *value == 0) continue;
    if (previous && *value <= *previous) {
      Add(file, depth, Severity::kWarning,
          "深度 " + cp932::ToUtf8(depth.text) + " が前のレコードの深度より大きくありません");
    }
    previous = value;
  }
}

void Checker::CheckCodes(const RecordFile& file, int item, const char* table, int items_per_row,
                         int first_record) {
  int index = 0;
  for (const auto& record : file.records()) {
    if (index++ < first_record) continue;
    const platform::Item& code_item = record[static_cast<std::size_t>(item - 1)];
    auto code = Number(file, code_item, "コード");
    if (!code || *code == 0) continue;
    try {
      if (!session_.code_tables.Get(table, items_per_row).Find(*code)) {
        Add(file, code_item, Severity::kWarning,
            "コード " + cp932::ToUtf8(code_item.text) + " は " + table +
                " にありません（記録ファイルでは「@」になります）");
      }
    } catch (const IoError&) {
      return;  // reported once by the conversion check
    }
  }
}

void Checker::CheckLayerFiles() {
  if (auto x1 = Open("X1.txt", 4)) {
    CheckBytes(*x1);
    CheckShortLastRecord(*x1, 4);
    CheckDepths(*x1, 2, false);
    for (const auto& record : x1->records()) {
      auto code = Number(*x1, record[2], "地質コード");
      if (code && *code != 0 && KishituNameOf(session_.dictionaries, *code).empty()) {
        Add(*x1, record[2], Severity::kWarning,
            "地質コード " + cp932::ToUtf8(record[2].text) +
                " は KISHITU.TXT にありません（記録ファイルでは「@」になります）");
      }
    }
  }
  if (auto x3 = Open("X3.txt", 7)) {
    CheckBytes(*x3);
    CheckShortLastRecord(*x3, 7);
    CheckDepths(*x3, 2, false);
    for (const auto& record : x3->records()) {
      for (int item : {3, 5}) {
        const platform::Item& codes = record[static_cast<std::size_t>(item - 1)];
        for (const std::string& code_text : TwoCharacterCodes(codes.text)) {
          const float code = NumberFromText(code_text);
          if (code == 0) continue;
          const auto name = L4NameOf(session_.dictionaries, code);
          if (!name) {
            Add(*x3, codes, Severity::kWarning,
                "土質コード " + cp932::ToUtf8(code_text) +
                    " は L4.TXT の範囲（0～100）の外です（読み飛ばします）");
          } else if (name->empty()) {
            Add(*x3, codes, Severity::kWarning,
                "土質コード " + cp932::ToUtf8(code_text) +
                    " は L4.TXT にありません（名前なしになります）");
          }
        }
      }
    }
  }
  if (auto x12 = Open("X12.txt", 3)) {
    CheckBytes(*x12);
    CheckShortLastRecord(*x12, 3);
    CheckDepths(*x12, 2, true);
  }
  if (auto x14 = Open("X14.txt", 6)) {
    CheckBytes(*x14);
    CheckShortLastRecord(*x14, 6);
    CheckDepths(*x14, 2, false);
  }
}

void Checker::CheckBlockFiles() {
  for (const char* name : {"CNT.TXT", "Titl01.txt"}) {
    if (auto file = Open(name, 1)) CheckBytes(*file);
  }
  if (auto titles = Open("Titl02.txt", 41)) {
    CheckBytes(*titles);
    if (!titles->records().empty()) CheckCodes(*titles, 31, "L2.TXT", 2);
  }
  if (auto x5 = Open("X5.TXT", 11)) {
    CheckBytes(*x5);
    CheckShortLastRecord(*x5, 11);
    CheckDepths(*x5, 2, false);
  }
  if (auto x6 = Open("X6.TXT", 68)) {
    CheckBytes(*x6);
    CheckShortLastRecord(*x6, 68);
    for (int item = 9; item <= 18; ++item) {
      for (const auto& record : x6->records()) {
        const platform::Item& code_item = record[static_cast<std::size_t>(item - 1)];
        const float code = NumberFromText(X6CodeColumn(code_item.text));
        if (code == 0) continue;
        try {
          if (!session_.code_tables.Get("L100.TXT", 2).Find(code)) {
            Add(*x6, code_item, Severity::kWarning,
                "コード " + cp932::ToUtf8(code_item.text) +
                    " は L100.TXT にありません（1400 行に何も加わりません）");
          }
        } catch (const IoError&) {
        }
      }
    }
  }
  if (auto x7 = Open("X7.TXT", 68)) {
    CheckBytes(*x7);
    CheckShortLastRecord(*x7, 68);
    for (int item = 9; item <= 28; ++item) CheckCodes(*x7, item, "L8.TXT", 3);
  }
  if (auto x11 = Open("X11.TXT", 5)) {
    CheckBytes(*x11);
    CheckShortLastRecord(*x11, 5);
    CheckDepths(*x11, 2, false);
    CheckCodes(*x11, 3, "L10.TXT", 2);
  }
  for (const char* name : {"N8.TXT", "N9.TXT"}) {
    if (auto file = Open(name, 3)) {
      CheckBytes(*file);
      CheckShortLastRecord(*file, 3);
    }
  }
}

void Checker::CheckCreatedAndDeletedFiles() {
  for (const char* name : {"CNT.TXT", "X3.txt", "X12.txt", "X14.txt", "N8.TXT", "N9.TXT"}) {
    if (!platform::PathExists(folder_ + name)) {
      Add(folder_ + name, 0, 0, Severity::kNote,
          std::string("ファイルがありません。変換すると空の ") + name + " が作成されます");
    }
  }
  for (const char* name : {"Titl01.txt", "Titl02.txt", "X5.TXT", "X6.TXT", "X7.TXT", "X11.TXT"}) {
    const std::string path = folder_ + name;
    if (platform::PathExists(path) && platform::ProbeFile(path) == 0) {
      Add(path, 0, 0, Severity::kNote, "空のファイルです。変換すると削除されます");
    }
  }
}

void Checker::CheckConversion() {
  // The conversion itself, in memory: the errors that would stop it and the number of lines.
  try {
    ReadTitleFiles(folder_, session_.title_data);
    BuildRecordLines(session_);
  } catch (const LineLimitError&) {
    Add(folder_, 0, 0, Severity::kError,
        "記録ファイルの行数が上限の1000行を超えるため、変換できません");
  } catch (const ConversionError& e) {
    Add(folder_, 0, 0, Severity::kError, OnOneLine(e.what()));
  }
}

std::vector<Finding> Checker::Run() {
  platform::ReadOnlyScope read_only;
  session_.source_folder = folder_;
  SetUpCatalogue(session_.catalogue);
  try {
    LoadL4Names(session_.patdat_path, session_.dictionaries);
    LoadKishituTable(session_.patdat_path, session_.dictionaries);
  } catch (const ConversionError& e) {
    Add(session_.patdat_path, 0, 0, Severity::kError, OnOneLine(e.what()));
    return findings_;
  }
  if (!platform::PathExists(folder_)) {
    Add(folder_, 0, 0, Severity::kError, "変換元フォルダがありません");
    return findings_;
  }
  if (std::count(folder_.begin(), folder_.end(), '\\') < 2) {
    Add(folder_, 0, 0, Severity::kError,
        "ドライブのルートです。記録ファイルの名前になるフォルダ名がありません");
  }
  if (platform::ProbeFile(folder_ + "X1.txt") == 0) {
    Add(folder_ + "X1.txt", 0, 0, Severity::kError,
        "地質区分が入力されていません（X1.txt がないか空です）。変換は拒否されます");
  }
  CheckLayerFiles();
  CheckBlockFiles();
  CheckCreatedAndDeletedFiles();
  if (platform::ProbeFile(folder_ + "X1.txt") > 0) CheckConversion();
  std::stable_sort(findings_.begin(), findings_.end(), [](const Finding& a, const Finding& b) {
    return std::tie(a.file, a.line, a.column) < std::tie(b.file, b.line, b.column);
  });
  return findings_;
}

}  // namespace

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    case Severity::kNote:
      return "note";
  }
  return "note";
}

std::vector<Finding> CheckDataSet(const std::string& source_folder,
                                  const std::string& patdat_path) {
  return Checker(source_folder, patdat_path).Run();
}

}  // namespace tavrimen
