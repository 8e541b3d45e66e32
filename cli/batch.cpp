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
#include "cli/json.h"
#include "cli/results.h"
#include "cli/run_source.h"
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

// The question whether to create the destination is asked once for the whole batch.
class SharedAnswer {
 public:
  SharedAnswer(std::optional<bool> answer, const CliTexts& texts)
      : answer_(answer), texts_(texts) {}
  bool Ask(std::string_view question, std::string_view folder, std::ostream& err) {
    std::lock_guard lock(mutex_);
    if (!answer_) {
      answer_ = AskYesNoOnTerminal(kAppTitle, question, folder, texts_, err);
    }
    return *answer_;
  }
  // Whether the question was answered No: then nothing is made for the batch.
  bool declined() {
    std::lock_guard lock(mutex_);
    return answer_ && !*answer_;
  }

 private:
  std::mutex mutex_;
  std::optional<bool> answer_;
  const CliTexts& texts_;
};

// A window for one run of a batch: it keeps the run's message, with paths as the user reads
// them, instead of showing it.
class BatchWindow : public HeadlessWindow {
 public:
  BatchWindow(platform::ResolvedPath destination, platform::DriveFormPath source,
              SharedAnswer& answer, const BatchOptions& options, std::string& record_file,
              DrawnBoring* drawn, platform::FileSystem& files, std::ostream& err)
      : HeadlessWindow(std::move(destination), platform::ResolvedPath::Of(std::move(source))),
        files_(files),
        answer_(answer),
        options_(options),
        record_file_(record_file),
        drawn_(drawn),
        err_(err) {}

  std::string PathAsShown(std::string_view drive_form) const override {
    return platform::ShownPath(options_.drives, drive_form);
  }

  MessageAnswer ShowMessage(std::string_view text, MessageIcon, MessageButtons buttons,
                            std::string_view title) override {
    // The message without its title: the source that the batch's lines name says what it is
    // about, which a title naming the destination would only confuse.
    (void)title;
    if (!message.empty()) message += " / ";
    message += text;
    if (buttons == MessageButtons::kYesNo) {
      const std::string folder =
          platform::ShownPath(options_.drives, Text(TextBox::kText1).RunText());
      if (answer_.Ask(text, folder, err_)) {
        message.clear();
        return MessageAnswer::kYes;
      }
      message += " " + std::string(TextsFor(options_.language).no);
      return MessageAnswer::kNo;
    }
    return MessageAnswer::kOk;
  }

  void RecordFileWritten(std::string_view path, std::string_view bytes) override {
    if (options_.json || options_.pictures != nullptr) {
      record_file_ = platform::ShownPath(options_.drives, path);
    }
    if (options_.pictures != nullptr) *drawn_ = options_.pictures->Draw(path, bytes, files_);
  }

  std::string message;

 private:
  platform::FileSystem& files_;  // the run's, which its picture is written through
  SharedAnswer& answer_;
  const BatchOptions& options_;
  std::string& record_file_;  // the record file as shown, when the results are listed
  DrawnBoring* drawn_;        // what its picture gave, when there are pictures
  std::ostream& err_;
};

// Refuses every source whose record file name (without regard to letter case) an earlier source
// takes. The names are compared by their hashes first, so that the check needs little memory.
template <typename DriveForm>
void RefuseSameNames(std::size_t total, DriveForm drive_form, const BatchOptions& options,
                     std::vector<RunOutcome>& outcomes,
                     std::map<std::size_t, std::string>& messages) {
  platform::DiskFileSystem files(options.drives);
  auto name_of = [&](std::size_t i) { return RecordNameOf(files, drive_form(i)); };
  // (hash, index), by hash and index. An XML boring's name is read from its file, so the names
  // are hashed on as many threads as the batch converts on.
  std::vector<std::pair<std::size_t, std::size_t>> keyed(total);
  std::atomic<std::size_t> next{0};
  auto hash_names = [&] {
    platform::DiskFileSystem own_files(options.drives);
    for (std::size_t i; (i = next++) < total;) {
      keyed[i] = {std::hash<std::string>{}(AsciiLower(RecordNameOf(own_files, drive_form(i)))), i};
    }
  };
  std::vector<std::thread> threads;
  const auto jobs =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(1, options.jobs)), total);
  for (std::size_t t = 1; t < jobs; ++t) threads.emplace_back(hash_names);
  hash_names();
  for (std::thread& thread : threads) thread.join();
  std::sort(keyed.begin(), keyed.end());
  for (std::size_t first = 0; first < keyed.size();) {
    std::size_t last = first + 1;
    while (last < keyed.size() && keyed[last].first == keyed[first].first) ++last;
    for (std::size_t j = first + 1; j < last; ++j) {
      const std::size_t later = keyed.at(j).second;
      const std::string name = name_of(later);
      for (std::size_t k = first; k < j; ++k) {
        const std::size_t earlier = keyed.at(k).second;
        if (outcomes[earlier] == RunOutcome::kConverted &&
            AsciiLower(name_of(earlier)) == AsciiLower(name)) {
          outcomes[later] = RunOutcome::kRefused;
          messages[later] = Fill(TextsFor(options.language).same_record_name,
                                 {name, platform::ShownPath(options.drives, drive_form(earlier))});
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
  const CliTexts& texts = TextsFor(options.language);
  const std::size_t total = sources.size();
  // The outcome of each source, and the message of each that was not converted.
  std::vector<RunOutcome> outcomes(total, RunOutcome::kConverted);
  std::map<std::size_t, std::string> messages;
  // For the list of results, when there is one: the record file each converted source wrote,
  // and each source run as shown, found by the worker that runs it.
  const bool listing = options.json || options.pictures != nullptr;
  std::vector<std::string> record_files(total);
  std::vector<std::string> shown_sources(listing ? total : 0);
  std::vector<DrawnBoring> drawn(options.pictures != nullptr ? total : 0);
  // Each source as found or typed and resolved before the batch: never parsed again.
  auto drive_form = [&](std::size_t i) { return sources[i]; };
  auto shown = [&](std::size_t i) { return platform::ShownPath(options.drives, drive_form(i)); };

  // Two sources with the same folder name would write the same record file.
  RefuseSameNames(total, drive_form, options, outcomes, messages);

  BatchShared shared(options.drives, options.destination.RunText(), options.patdat);
  SharedAnswer answer(options.answer, texts);
  std::atomic<std::size_t> next{0};
  std::mutex progress_mutex;
  // What the progress line and the summary count: each boring once, each folder that could not
  // be searched as a failure, and each source refused before its run as a refusal.
  std::size_t done = 0, converted = 0, refused = options.refused.size(),
              failed = options.unsearched.size();
  const auto start = std::chrono::steady_clock::now();
  const auto run_at = std::chrono::system_clock::now();
  auto report = [&](RunOutcome outcome) {
    std::lock_guard lock(progress_mutex);
    ++done;
    converted += outcome == RunOutcome::kConverted;
    refused += outcome == RunOutcome::kRefused;
    failed += outcome == RunOutcome::kFailed;
    if (!options.progress) return;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    const int left = rate > 0 ? static_cast<int>(static_cast<double>(total - done) / rate) : 0;
    char rate_text[32], left_text[32];
    std::snprintf(rate_text, sizeof rate_text, "%.1f", rate);
    std::snprintf(left_text, sizeof left_text, "%d:%02d", left / 60, left % 60);
    err << "\r"
        << Fill(texts.progress,
                {std::to_string(done), std::to_string(total), std::to_string(converted),
                 std::to_string(refused), std::to_string(failed), rate_text, left_text})
        << " " << std::flush;
  };

  auto worker = [&] {
    // After an interrupt no boring is started; those in hand are finished.
    for (std::size_t i = 0; InterruptSignal() == 0 && (i = next++) < total;) {
      // Refused above: the outcome is already there.
      if (outcomes[i] == RunOutcome::kConverted) {
        const platform::DriveFormPath source = drive_form(i);
        if (listing) shown_sources[i] = platform::ShownPath(options.drives, source);
        const std::unique_ptr<platform::FileSystem> files = shared.FilesForRun(options.drives);
        std::string message;
        RunOutcome outcome = RunOutcome::kFailed;
        try {
          RunSource run(*files, source, options.patdat);
          BatchWindow window(options.destination, run.folder(), answer, options, record_files[i],
                             drawn.empty() ? nullptr : &drawn[i], run.files(), err);
          outcome = Command1_Click(window, run.files(), run.patdat());
          message = std::move(window.message);
        } catch (const std::exception& e) {
          message = FailureMessage(e, ShownWith(options.drives));
        }
        if (outcome != RunOutcome::kConverted) {
          std::lock_guard lock(progress_mutex);
          outcomes[i] = outcome;
          messages[i] = OnOneLine(message);
        }
      }
      report(outcomes[i]);
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
  for (const Unsearched& folder : options.unsearched) {
    err << Fill(texts.failed, {Printable(platform::ShownPath(options.drives, folder.folder)),
                               UnsearchedMessage(folder, texts)})
        << std::endl;
  }
  for (const RefusedSource& source : options.refused) {
    err << Fill(texts.refused, {Printable(source.shown), Printable(source.message)}) << std::endl;
  }
  for (const auto& [i, message] : messages) {
    if (i >= started) continue;
    err << Fill(outcomes[i] == RunOutcome::kRefused ? texts.refused : texts.failed,
                {Printable(shown(i)), Printable(message)})
        << std::endl;
  }
  // A boring converted whose picture is missing says so in the summary, the results and the
  // overview alike, as the exit status does.
  std::size_t pictures_missing = 0;
  for (std::size_t i = 0; i < std::min(started, drawn.size()); ++i) {
    if (outcomes[i] == RunOutcome::kConverted && !drawn[i].problem.empty()) {
      ++pictures_missing;
      messages[i] = drawn[i].problem;
    }
  }
  std::string summary = Fill(
      texts.summary, {std::to_string(converted), std::to_string(refused), std::to_string(failed)});
  if (pictures_missing != 0) {
    summary += Fill(texts.summary_pictures, {std::to_string(pictures_missing)});
  }
  if (options.json || options.pictures != nullptr) {
    std::vector<BoringResult> results;
    for (const Unsearched& folder : options.unsearched) {
      results.push_back({platform::ShownPath(options.drives, folder.folder), "",
                         RunOutcome::kFailed, UnsearchedMessage(folder, texts)});
    }
    for (const RefusedSource& source : options.refused) {
      results.push_back({source.shown, "", RunOutcome::kRefused, source.message});
    }
    for (std::size_t i = 0; i < started; ++i) {
      const auto message = messages.find(i);
      results.push_back({shown_sources[i].empty() ? shown(i) : std::move(shown_sources[i]),
                         outcomes[i] == RunOutcome::kConverted ? std::move(record_files[i]) : "",
                         outcomes[i], message == messages.end() ? "" : message->second});
    }
    // Nothing is made for a batch whose destination the user declined to create.
    if (options.pictures != nullptr && !answer.declined()) {
      // What the pictures gave, by result: nothing for the folders not searched and the sources
      // refused before their runs.
      drawn.resize(started);
      drawn.insert(drawn.begin(), options.unsearched.size() + options.refused.size(),
                   DrawnBoring());
      BatchFacts facts{
          run_at, platform::ShownPath(options.drives, options.destination.RunText()), {}};
      for (const platform::DriveFormPath& root : options.roots) {
        facts.roots.push_back(platform::ShownPath(options.drives, root));
      }
      platform::DiskFileSystem files(options.drives);
      options.pictures->WriteIndex(results, drawn, facts, files);
    }
    if (options.json) PrintResults(results, out);
  }
  (options.json ? err : out) << summary << std::endl;
  if (const int signal = InterruptSignal(); signal != 0) {
    err << Fill(texts.interrupted, {std::to_string(total - started)}) << std::endl;
    return 128 + signal;
  }
  const bool pictures_written = options.pictures == nullptr || options.pictures->all_written();
  return converted == total && options.unsearched.empty() && options.refused.empty() &&
                 pictures_written
             ? 0
             : 1;
}

std::string UnsearchedMessage(const Unsearched& folder, const CliTexts& texts) {
  return Fill(texts.cannot_search, {ReasonText(folder.error)});
}

}  // namespace tavrimen::cli
