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
#include "cli/arguments.h"
#include "cli/batch_file_system.h"
#include "cli/console_window.h"
#include "cli/interrupt.h"
#include "platform/disk_file_system.h"
#include "platform/errors.h"
#include "platform/native_paths.h"
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

// Refuses every source whose record file name (without regard to letter case) an earlier source
// takes. The names are compared by their hashes first, so that the check needs little memory.
template <typename DriveForm>
void RefuseSameNames(std::size_t total, DriveForm drive_form, platform::DriveTable drives,
                     std::vector<RunOutcome>& outcomes,
                     std::map<std::size_t, std::string>& messages) {
  platform::DiskFileSystem files(drives);
  auto name_of = [&](std::size_t i) { return RecordName(files, drive_form(i)); };
  std::vector<std::pair<std::size_t, std::size_t>> keyed;  // (hash, index), by hash and index
  keyed.reserve(total);
  for (std::size_t i = 0; i < total; ++i) {
    keyed.emplace_back(std::hash<std::string>{}(AsciiLower(name_of(i))), i);
  }
  std::sort(keyed.begin(), keyed.end());
  for (std::size_t first = 0; first < keyed.size();) {
    std::size_t last = first + 1;
    while (last < keyed.size() && keyed[last].first == keyed[first].first) ++last;
    for (std::size_t j = first + 1; j < last; ++j) {
      const std::size_t later = keyed[j].second;
      const std::string name = name_of(later);
      for (std::size_t k = first; k < j; ++k) {
        const std::size_t earlier = keyed[k].second;
        if (outcomes[earlier] == RunOutcome::kConverted &&
            AsciiLower(name_of(earlier)) == AsciiLower(name)) {
          outcomes[later] = RunOutcome::kRefused;
          messages[later] = "同じ名前の記録ファイル「" + name + "」を " + drive_form(earlier) +
                            " から作成するため、変換しません。";
          break;
        }
      }
    }
    first = last;
  }
}

}  // namespace

int RunBatch(const SourceList& sources, const BatchOptions& options, std::ostream& out,
             std::ostream& err) {
  const std::size_t total = sources.size();
  // The outcome of each source, and the message of each that was not converted.
  std::vector<RunOutcome> outcomes(total, RunOutcome::kConverted);
  std::map<std::size_t, std::string> messages;
  auto drive_form = [&](std::size_t i) {
    const std::string source = sources[i];
    return platform::DriveFormOfTyped(options.drives, source).value_or(source);
  };

  // Two sources with the same folder name would write the same record file.
  RefuseSameNames(total, drive_form, options.drives, outcomes, messages);

  BatchShared shared(options.drives, options.destination, options.patdat);
  SharedAnswer answer(options.answer);
  std::atomic<std::size_t> next{0};
  std::mutex progress_mutex;
  std::size_t done = 0;
  std::size_t failures = 0;
  const auto start = std::chrono::steady_clock::now();
  auto report_progress = [&](RunOutcome outcome) {
    std::lock_guard lock(progress_mutex);
    ++done;
    if (outcome != RunOutcome::kConverted) ++failures;
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
    // After an interrupt no boring is started; those in hand are finished.
    for (std::size_t i = 0; InterruptSignal() == 0 && (i = next++) < total;) {
      // Refused above: the outcome is already there.
      if (outcomes[i] == RunOutcome::kConverted) {
        BatchWindow window(options.destination, drive_form(i), answer, err);
        const std::unique_ptr<platform::FileSystem> files = shared.FilesForRun(drives);
        const RunOutcome outcome = Command1_Click(window, *files, options.patdat);
        if (outcome != RunOutcome::kConverted) {
          std::lock_guard lock(progress_mutex);
          outcomes[i] = outcome;
          messages[i] = OnOneLine(window.message);
        }
      }
      report_progress(outcomes[i]);
    }
  };
  std::vector<std::thread> threads;
  const std::size_t jobs =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(1, options.jobs)), total);
  for (std::size_t t = 0; t < jobs; ++t) threads.emplace_back(worker);
  for (std::thread& thread : threads) thread.join();
  if (options.progress) err << "\n";

  // Every boring before `started` was converted, refused or failed; none after it was begun.
  const std::size_t started = std::min<std::size_t>(next, total);
  std::size_t converted = 0, refused = 0, failed = options.unsearched.size();
  for (std::size_t i = 0; i < started; ++i) {
    converted += outcomes[i] == RunOutcome::kConverted;
    refused += outcomes[i] == RunOutcome::kRefused;
    failed += outcomes[i] == RunOutcome::kFailed;
  }
  out << "変換 " << converted << " 件、拒否 " << refused << " 件、失敗 " << failed << " 件"
      << std::endl;
  for (const Unsearched& folder : options.unsearched) {
    out << "失敗: "
        << platform::DriveFormOfTyped(options.drives, folder.folder).value_or(folder.folder) << ": "
        << UnsearchedMessage(folder) << std::endl;
  }
  for (const auto& [i, message] : messages) {
    if (i >= started) continue;
    out << (outcomes[i] == RunOutcome::kRefused ? "拒否: " : "失敗: ") << drive_form(i) << ": "
        << message << std::endl;
  }
  if (const int signal = InterruptSignal(); signal != 0) {
    out << "中断: 残りの " << total - started << " 件は変換していません。" << std::endl;
    return 128 + signal;
  }
  return converted == total && options.unsearched.empty() ? 0 : 1;
}

std::string UnsearchedMessage(const Unsearched& folder) {
  return "フォルダを検索できません。" + ReasonText(folder.error);
}

}  // namespace tavrimen::cli
