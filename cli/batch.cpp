#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <mutex>
#include <thread>

#include "app/conversion_run.h"
#include "app/headless_window.h"
#include "cli/console_window.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "platform/terminal.h"
#include "reference/path_checks.h"
#include "reference/text_helpers.h"
#include "source/record_files.h"

namespace tavrimen::cli {
namespace {

// The record file name of a source, as the run will name it. (The check makes the source's drive
// the current drive, as the run itself does.)
std::string RecordName(std::string source) {
  CheckFolderPath(source);
  return RecordFileNameOf(source);
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

struct Result {
  RunOutcome outcome = RunOutcome::kFailed;
  std::string message;
};

}  // namespace

std::vector<std::filesystem::path> FindBorings(const std::filesystem::path& root) {
  std::vector<std::filesystem::path> borings;
  std::error_code ec;
  auto holds_x1 = [](const std::filesystem::path& folder) {
    std::error_code inner;
    for (const auto& entry : std::filesystem::directory_iterator(folder, inner)) {
      if (AsciiLower(platform::Utf8String(entry.path().filename())) == AsciiLower(kX1File.name)) {
        return true;
      }
    }
    return false;
  };
  if (holds_x1(root)) borings.push_back(root);
  for (auto it = std::filesystem::recursive_directory_iterator(
           root, std::filesystem::directory_options::skip_permission_denied, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec) && holds_x1(it->path())) {
      borings.push_back(it->path());
    }
  }
  std::sort(borings.begin(), borings.end());
  return borings;
}

int RunBatch(const std::vector<std::string>& sources, const BatchOptions& options,
             std::ostream& out, std::ostream& err) {
  const std::size_t total = sources.size();
  std::vector<Result> results(total);
  std::vector<bool> to_run(total, true);

  // Two sources with the same folder name would write the same record file.
  std::map<std::string, std::size_t> first_with_name;
  for (std::size_t i = 0; i < total; ++i) {
    const auto [it, inserted] = first_with_name.emplace(AsciiLower(RecordName(sources[i])), i);
    if (!inserted) {
      to_run[i] = false;
      results[i] = {RunOutcome::kRefused, "同じ名前の記録ファイル「" + RecordName(sources[i]) +
                                              "」を " + sources[it->second] +
                                              " から作成するため、変換しません。"};
    }
  }

  SharedAnswer answer(options.answer);
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
    for (std::size_t i = next++; i < total; i = next++) {
      if (to_run[i]) {
        BatchWindow window(options.destination, sources[i], answer, err);
        results[i].outcome = Command1_Click(window, options.patdat);
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
