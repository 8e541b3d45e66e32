#include "app/data_check.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

#include "app/messages.h"
#include "app/output_generation.h"
#include "app/session.h"
#include "output/layer_cursor.h"
#include "output/record_blocks.h"
#include "platform/cp932.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "platform/read_only_file_system.h"
#include "reference/path_checks.h"
#include "reference/text_helpers.h"
#include "source/record_file.h"

namespace tavrimen {
namespace {

class Checker {
 public:
  Checker(platform::FileSystem& files, std::string source_folder, std::string patdat_path,
          const PathShown& shown)
      : files_(files),
        folder_(std::move(source_folder)),
        patdat_path_(std::move(patdat_path)),
        shown_(shown) {}

  std::vector<Finding> Run();

 private:
  // Findings of one kind in one file (the same message but for its digits and the text of the
  // item it is about) beyond the first kFindingsOfAKind are only counted, then summed up in one
  // note that shows the first left out. So a file of many different texts makes no more findings
  // than a file of the same text many times.
  static constexpr int kFindingsOfAKind = 100;
  struct LeftOut {
    int count = 0;
    std::string first;
  };
  // Counts a finding of `message`, of the kind `kind`, in `file`; whether it is one of the first
  // of its kind, to show.
  bool Shown(const std::string& file, std::string kind, const std::string& message) {
    std::erase_if(kind, [](char c) { return c >= '0' && c <= '9'; });
    LeftOut& kind_seen = kinds_[{file, std::move(kind)}];
    if (++kind_seen.count <= kFindingsOfAKind) return true;
    if (kind_seen.first.empty()) kind_seen.first = message;
    return false;
  }
  void Add(const std::string& file, int line, int column, Severity severity, std::string message) {
    if (Shown(file, message, message)) {
      findings_.push_back({file, line, column, severity, std::move(message)});
    }
  }
  void AddCountsOfTheRest() {
    for (const auto& [where, left_out] : kinds_) {
      if (left_out.count <= kFindingsOfAKind) continue;
      findings_.push_back(
          {where.first, 0, 0, Severity::kNote,
           check_text::MoreOfAKind(left_out.count - kFindingsOfAKind, left_out.first)});
    }
  }
  // A finding at an item, of the kind of its message without the item's text (the last place the
  // message shows it). Its line and column are worked out only when it is shown.
  void Add(const RecordFile& file, const platform::Item& item, Severity severity,
           std::string message) {
    std::string kind = message;
    if (const std::string text = cp932::ToUtf8(item.text); !text.empty()) {
      if (const std::size_t at = kind.rfind(text); at != std::string::npos) {
        kind.erase(at, text.size());
      }
    }
    if (!Shown(file.path(), std::move(kind), message)) return;
    auto [line, column] = file.Where(item.start);
    findings_.push_back({file.path(), line, column, severity, std::move(message)});
  }

  // The file as the conversion reads it, or nothing when it is missing or empty.
  std::optional<RecordFile> Open(const RecordFileLayout& layout);
  std::optional<float> Number(const RecordFile& file, const platform::Item& item,
                              std::string_view what);
  void CheckFile(const RecordFileLayout& layout);
  void CheckBytes(const RecordFile& file);
  void CheckRecords(const RecordFile& file, const RecordFileLayout& layout);
  void CheckDepth(const RecordFile& file, const platform::Item& depth, bool continuations,
                  std::optional<float>& previous);
  void CheckCode(const RecordFile& file, const platform::Item& item, const CodeItems& codes);
  void CheckCreatedAndDeletedFiles();
  void CheckCaseTwins();
  void CheckConversion();

  platform::ReadOnlyFileSystem files_;
  const std::string folder_;
  const std::string patdat_path_;
  const PathShown& shown_;
  std::optional<Session> session_;  // made by Run once the pattern data's names are read
  std::vector<Finding> findings_;
  std::map<std::pair<std::string, std::string>, LeftOut> kinds_;
};

std::optional<RecordFile> Checker::Open(const RecordFileLayout& layout) {
  try {
    return RecordFile::Open(session_->source, layout);
  } catch (const IoError& e) {
    Add(e.path(), 0, 0, Severity::kError, check_text::CannotRead(e, shown_));
    return std::nullopt;
  }
}

std::optional<float> Checker::Number(const RecordFile& file, const platform::Item& item,
                                     std::string_view what) {
  try {
    return NumberFromText(item.text);
  } catch (const NumberOverflowError&) {
    // An error only where the conversion reads it: the conversion check below says so.
    Add(file, item, Severity::kWarning, check_text::NumberTooLarge(what, item.text));
    return std::nullopt;
  }
}

void Checker::CheckFile(const RecordFileLayout& layout) {
  auto file = Open(layout);
  if (!file) return;
  CheckBytes(*file);
  CheckRecords(*file, layout);
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
      Add(file.path(), line, column, Severity::kWarning, check_text::NotCp932());
      return;  // one finding a file is enough to find the place
    }
    pos += length;
  }
}

// One pass over the records, each checked in turn for being a short last record, its depth and
// its codes, so that the findings of a kind come in file order.
void Checker::CheckRecords(const RecordFile& file, const RecordFileLayout& layout) {
  std::optional<float> previous_depth;
  for (const Record& record : file.records()) {
    if (layout.whole_records && record.read() < layout.items_per_record) {
      Add(file, record.at(record.read()), Severity::kWarning,
          check_text::ShortLastRecord(layout.items_per_record, record.read()));
    }
    if (layout.depth_item != 0) {
      CheckDepth(file, record.at(layout.depth_item), layout.blank_depth_continues, previous_depth);
    }
    for (const CodeItems& codes : layout.codes) {
      if (codes.first == 0) continue;
      for (int item = codes.first; item <= codes.last; ++item) {
        CheckCode(file, record.at(item), codes);
      }
    }
  }
}

// A depth must be a number larger than the one before it (`previous`, which it then becomes).
void Checker::CheckDepth(const RecordFile& file, const platform::Item& depth, bool continuations,
                         std::optional<float>& previous) {
  if (continuations && Trim(depth.text).empty()) return;
  if (!IsNumericText(depth.text)) {
    Add(file, depth, Severity::kWarning, check_text::DepthNotNumber(depth.text));
    return;
  }
  auto value = Number(file, depth, check_text::kDepth);
  if (!value) return;
  if (continuations && *value == 0) return;
  if (previous && *value <= *previous) {
    Add(file, depth, Severity::kWarning, check_text::DepthNotIncreasing(depth.text));
  }
  previous = value;
}

void Checker::CheckCode(const RecordFile& file, const platform::Item& item,
                        const CodeItems& codes) {
  const ReferenceTable& table = *codes.table;
  if (codes.form == CodeForm::kTwoCharPairs) {
    for (const std::string& code_text : TwoCharacterCodes(item.text)) {
      const float code = NumberFromText(code_text);
      if (code == 0) continue;
      const auto name = L4NameOf(session_->dictionaries, code);
      if (!name) {
        Add(file, item, Severity::kWarning, check_text::SoilCodeOutOfRange(code_text));
      } else if (name->empty()) {
        Add(file, item, Severity::kWarning, check_text::SoilCodeNotInTable(code_text));
      }
    }
    return;
  }
  if (codes.form == CodeForm::kLastTwo) {
    const float code = NumberFromText(X6CodeColumn(item.text));
    try {
      if (code != 0 && !session_->code_tables.Get(table).Find(code)) {
        Add(file, item, Severity::kWarning, check_text::X6CodeNotInTable(item.text, table.name));
      }
    } catch (const IoError&) {
      // reported once by the conversion check
    }
    return;
  }
  const bool geology = &table == &kKishituTable;
  auto code = Number(file, item, geology ? check_text::kGeologyCode : check_text::kCode);
  if (!code || *code == 0) return;
  try {
    const bool found = geology ? !KishituNameOf(session_->dictionaries, *code).empty()
                               : session_->code_tables.Get(table).Find(*code).has_value();
    if (!found) {
      Add(file, item, Severity::kWarning,
          check_text::CodeNotInTable(geology ? check_text::kGeologyCode : check_text::kCode,
                                     item.text, table.name));
    }
  } catch (const IoError&) {
    // reported once by the conversion check
  }
}

void Checker::CheckCaseTwins() {
  auto folder = files_.ToNative(folder_);
  if (!folder) return;
  for (const RecordFileLayout* layout : kDataSetFiles) {
    const std::vector<std::string> spellings = files_.NativeSpellings(*folder, layout->name);
    if (spellings.size() < 2) continue;
    const std::string path = folder_ + std::string(layout->name);
    auto read = files_.ToNative(path);
    Add(path, 0, 0, Severity::kWarning,
        check_text::CaseTwins(spellings, read ? platform::Utf8String(read->filename()) : ""));
  }
}

void Checker::CheckCreatedAndDeletedFiles() {
  for (const RecordFileLayout* layout : kDataSetFiles) {
    const std::string path = folder_ + std::string(layout->name);
    const bool exists = files_.PathExists(path);
    if (layout->when_empty == WhenEmpty::kKeep && !exists && !layout->required) {
      Add(path, 0, 0, Severity::kNote, check_text::FileWillBeCreated(layout->name));
    } else if (layout->when_empty == WhenEmpty::kDelete && exists && files_.ProbeFile(path) == 0) {
      Add(path, 0, 0, Severity::kNote, check_text::EmptyFileWillBeDeleted());
    }
  }
}

void Checker::CheckConversion() {
  // The conversion itself, in memory: the errors that would stop it and the number of lines.
  try {
    BuildRecordLines(*session_);
  } catch (const std::exception& e) {
    Add(folder_, 0, 0, Severity::kError, check_text::Failure(e, shown_));
  }
}

std::vector<Finding> Checker::Run() {
  try {
    session_.emplace(files_, folder_, patdat_path_);
    LoadKishituTable(session_->patdat, session_->dictionaries);
  } catch (const ConversionError& e) {
    Add(patdat_path_, 0, 0, Severity::kError, check_text::Failure(e, shown_));
    return findings_;
  }
  const auto source_entry = files_.Entry(folder_);
  if (!source_entry || !source_entry->folder) {
    Add(folder_, 0, 0, Severity::kError,
        source_entry ? check_text::SourceNotAFolder() : check_text::NoSourceFolder());
    return findings_;
  }
  if (IsDriveRoot(folder_)) Add(folder_, 0, 0, Severity::kError, check_text::DriveRootSource());
  const std::string x1 = folder_ + std::string(kX1File.name);
  const bool has_geology = files_.ProbeFile(x1) > 0;
  if (!has_geology) Add(x1, 0, 0, Severity::kError, check_text::NoGeology(kX1File.name));
  for (const RecordFileLayout* layout : kDataSetFiles) CheckFile(*layout);
  CheckCreatedAndDeletedFiles();
  CheckCaseTwins();
  if (has_geology) CheckConversion();
  AddCountsOfTheRest();
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

std::vector<Finding> CheckDataSet(platform::FileSystem& files, const std::string& source_folder,
                                  const std::string& patdat_path, const PathShown& shown) {
  return Checker(files, source_folder, patdat_path, shown).Run();
}

}  // namespace tavrimen
