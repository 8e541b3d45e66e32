#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "app/conversion_run.h"
#include "app/headless_window.h"
#include "cli/console_window.h"
#include "platform/disk_file_system.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "platform/terminal.h"
#include "reference/path_checks.h"
#include "reference/text_helpers.h"
#include "source/record_files.h"

namespace tavrimen::cli {
namespace {

// The record file name of a source, as the run will name it.
std::string RecordName(platform::FileSystem& files, std::string source) {
  CheckFolderPath(files, source);
  return RecordFileNameOf(source);
}

// The destination's names as they are before the batch, for every run of the batch: the runs
// find the spelling of their record file there instead of each listing the destination, which
// holds ever more record files. A source whose record file name another source takes is refused,
// so no run looks up a name that another run of the batch creates.
void ShareDestinationListing(
    platform::DriveTable& drives, std::string destination,
    std::map<std::filesystem::path, std::shared_ptr<const platform::FolderListing>>& shared) {
  platform::DiskFileSystem files(drives);
  if (CheckFolderPath(files, destination) != PathVerdict::kAccepted) return;
  auto native = files.ToNative(destination);
  if (!native) return;
  auto listing = platform::FolderListing::Of(*native);
  // A destination that is missing is created by the first run: empty.
  shared[*native] = std::make_shared<const platform::FolderListing>(
      listing ? std::move(*listing) : platform::FolderListing({}));
}

// The question whether to create the destination is asked once for the whole batch.
class SharedAnswer {
 public:
  explicit SharedAnswer(std::optional<bool> answer) : answer_(answer) {}
  bool Ask(std::string_view question, std::ostream& err) {
    std::lock_guard lock(mutex_);
    if (!answer_) {
      answer_ = AskYesNoOnTerminal(kAppTitle, question, err);
    }
    return *answer_;
  }

 private:
  std::mutex mutex_;
  std::optional<bool> answer_;
};

// A window for one run of a batch: it keeps the run's message instead of showing it.
class BatchWindow : public HeadlessWindow {
 public:
  BatchWindow(std::string destination, std::string source, SharedAnswer& answer, std::ostream& err)
      : HeadlessWindow(std::move(destination), std::move(source)), answer_(answer), err_(err) {}

  MessageAnswer ShowMessage(std::string_view text, MessageIcon, MessageButtons buttons,
                            std::string_view title) override {
    if (buttons == MessageButtons::kYesNo) {
      if (answer_.Ask(text, err_)) return MessageAnswer::kYes;
      message = std::string(title) + ": " + std::string(text) + " いいえ";
      return MessageAnswer::kNo;
    }
    if (!message.empty()) message += " / ";
    message += std::string(title) + ": " + std::string(text);
    return MessageAnswer::kOk;
  }

  std::string message;

 private:
  SharedAnswer& answer_;
  std::ostream& err_;
};

// The files of the pattern-data folder as the batch first read them, so that every run of a batch
// converts with the same tables and none reads them again.
class PatternData {
 public:
  explicit PatternData(std::string folder) : folder_(std::move(folder)) {}
  const std::string& folder() const { return folder_; }

  struct File {
    std::filesystem::path native;
    std::string bytes;
  };
  std::optional<File> Find(std::string_view path) {
    std::lock_guard lock(mutex_);
    auto found = files_.find(path);
    if (found == files_.end()) return std::nullopt;
    return found->second;
  }
  void Keep(std::string_view path, File file) {
    std::lock_guard lock(mutex_);
    files_.emplace(std::string(path), std::move(file));
  }

 private:
  const std::string folder_;
  std::mutex mutex_;
  std::map<std::string, File, std::less<>> files_;
};

// A run's file system that reads the pattern-data files through the batch's copy of them.
class BatchFileSystem : public platform::FileSystemWrapper {
 public:
  BatchFileSystem(platform::FileSystem& target, PatternData& pattern_data)
      : FileSystemWrapper(target), pattern_data_(pattern_data) {}

  std::optional<std::filesystem::path> ToNative(std::string_view path) override {
    if (IsPatternDataFile(path)) {
      if (auto file = pattern_data_.Find(path)) {
        last_ = std::move(*file);
        return last_->native;
      }
    }
    last_.reset();
    auto native = FileSystemWrapper::ToNative(path);
    if (native && IsPatternDataFile(path)) last_path_ = std::string(path);
    return native;
  }
  std::string ReadNativeFile(const std::filesystem::path& native, std::string_view shown) override {
    if (last_ && last_->native == native) return last_->bytes;
    std::string bytes = FileSystemWrapper::ReadNativeFile(native, shown);
    if (shown == last_path_) pattern_data_.Keep(last_path_, {native, bytes});
    return bytes;
  }

 private:
  bool IsPatternDataFile(std::string_view path) const {
    return path.size() > pattern_data_.folder().size() &&
           path.substr(0, pattern_data_.folder().size()) == pattern_data_.folder();
  }

  PatternData& pattern_data_;
  std::optional<PatternData::File> last_;
  std::string last_path_;
};

struct Result {
  RunOutcome outcome = RunOutcome::kFailed;
  std::string message;
};

}  // namespace

namespace {

// Adds `folder` when it holds X1.txt, then the borings below it; each folder is listed once.
void CollectBorings(const std::filesystem::path& folder,
                    std::vector<std::filesystem::path>& borings) {
  static const std::string x1_name = AsciiLower(kX1File.name);
  std::error_code ec;
  bool holds_x1 = false;
  std::vector<std::filesystem::path> subfolders;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code kind;
    if (it->is_directory(kind) && !it->is_symlink(kind)) {
      subfolders.push_back(it->path());
    } else if (!holds_x1) {
      holds_x1 = AsciiLower(platform::Utf8String(it->path().filename())) == x1_name;
    }
  }
  if (holds_x1) borings.push_back(folder);
  for (const std::filesystem::path& subfolder : subfolders) CollectBorings(subfolder, borings);
}

}  // namespace

std::vector<std::filesystem::path> FindBorings(const std::filesystem::path& root) {
  std::vector<std::filesystem::path> borings;
  CollectBorings(root, borings);
  std::sort(borings.begin(), borings.end());
  return borings;
}

int RunBatch(const std::vector<std::string>& sources, const BatchOptions& options,
             std::ostream& out, std::ostream& err) {
  const std::size_t total = sources.size();
  std::vector<Result> results(total);
  std::vector<bool> to_run(total, true);

  // Two sources with the same folder name would write the same record file.
  {
    platform::DriveTable drives = options.drives;
    platform::DiskFileSystem files(drives);
    std::map<std::string, std::size_t> first_with_name;
    for (std::size_t i = 0; i < total; ++i) {
      const std::string name = RecordName(files, sources[i]);
      const auto [it, inserted] = first_with_name.emplace(AsciiLower(name), i);
      if (!inserted) {
        to_run[i] = false;
        results[i] = {RunOutcome::kRefused, "同じ名前の記録ファイル「" + name + "」を " +
                                                sources[it->second] +
                                                " から作成するため、変換しません。"};
      }
    }
  }
  std::map<std::filesystem::path, std::shared_ptr<const platform::FolderListing>> shared;
  {
    platform::DriveTable drives = options.drives;
    ShareDestinationListing(drives, options.destination, shared);
  }

  SharedAnswer answer(options.answer);
  PatternData pattern_data(options.patdat);
  std::atomic<std::size_t> next{0};
  std::mutex progress_mutex;
  std::size_t done = 0;
  std::size_t failures = 0;
  const auto start = std::chrono::steady_clock::now();
  auto report_progress = [&](const Result& result) {
    std::lock_guard lock(progress_mutex);
    ++done;
    if (result.outcome != RunOutcome::kConverted) ++failures;
    if (!options.progress) return;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    const double left = rate > 0 ? static_cast<double>(total - done) / rate : 0;
    char line[160];
    std::snprintf(line, sizeof line, "\r%zu/%zu 件  失敗 %zu 件  %.1f 件/秒  残り %d:%02d ", done,
                  total, failures, rate, static_cast<int>(left) / 60, static_cast<int>(left) % 60);
    err << line << std::flush;
  };

  auto worker = [&] {
    platform::DriveTable drives = options.drives;
    for (std::size_t i = next++; i < total; i = next++) {
      if (to_run[i]) {
        BatchWindow window(options.destination, sources[i], answer, err);
        platform::DiskFileSystem disk(drives);
        for (const auto& [folder, listing] : shared) disk.UseListing(folder, listing);
        BatchFileSystem files(disk, pattern_data);
        results[i].outcome = Command1_Click(window, files, options.patdat);
        results[i].message = OnOneLine(window.message);
      }
      report_progress(results[i]);
    }
  };
  std::vector<std::thread> threads;
  const std::size_t jobs =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(1, options.jobs)), total);
  for (std::size_t t = 0; t < jobs; ++t) threads.emplace_back(worker);
  for (std::thread& thread : threads) thread.join();
  if (options.progress) err << "\n";

  std::size_t converted = 0, refused = 0, failed = 0;
  for (const Result& result : results) {
    converted += result.outcome == RunOutcome::kConverted;
    refused += result.outcome == RunOutcome::kRefused;
    failed += result.outcome == RunOutcome::kFailed;
  }
  out << "変換 " << converted << " 件、拒否 " << refused << " 件、失敗 " << failed << " 件"
      << std::endl;
  for (std::size_t i = 0; i < total; ++i) {
    if (results[i].outcome == RunOutcome::kConverted) continue;
    out << (results[i].outcome == RunOutcome::kRefused ? "拒否: " : "失敗: ") << sources[i] << ": "
        << results[i].message << std::endl;
  }
  return converted == total ? 0 : 1;
}

}  // namespace tavrimen::cli
