// Converting many borings into one destination: each on its own and atomically, several at a time,
// with a progress line on a terminal and a summary at the end.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/pictures.h"
#include "cli/source_list.h"
#include "cli/texts.h"
#include "platform/drive_table.h"
#include "platform/native_paths.h"
#include "platform/ui_language.h"

namespace tavrimen::cli {

// A source refused before its run: a typed or found path that has no drive form.
struct RefusedSource {
  std::string shown;  // as typed, or as found
  std::string message;
};

struct BatchOptions {
  platform::DriveTable drives;         // shared by the worker threads, which only read it
  platform::ResolvedPath destination;  // as the run takes it from Text1
  std::string patdat;                  // drive form, ending with a backslash
  std::optional<bool> answer;
  int jobs = 1;
  bool progress = false;  // a progress line on `err`
  bool json = false;      // the results as JSON on `out` (results.h), the summary on `err`
  platform::Language language = platform::Language::kJapanese;
  Pictures* pictures = nullptr;  // pictures of the borings and the overview, when asked for
  // The folders that --all could not search: each is a failure of the batch.
  std::vector<Unsearched> unsearched;
  // The sources refused before their runs: each is a refusal of the batch.
  std::vector<RefusedSource> refused;
  // The folders given to --all, for the overview to name its sources below them.
  std::vector<platform::DriveFormPath> roots;
};

// The message for a folder that could not be searched for borings.
std::string UnsearchedMessage(const Unsearched& folder, const CliTexts& texts);

// Converts each source into the destination. A source whose
// record file name is taken by an earlier source is refused instead of overwriting that record
// file. Prints the results to `out` (the summary line, or the JSON results), and the progress, the
// refusals and failures and the summary beside JSON to `err`. Returns the exit status: 0 when
// every source was converted, 1 otherwise, 128 + the signal after an interrupt.
int RunBatch(const SourceList& sources, const BatchOptions& options, std::ostream& out,
             std::ostream& err);

}  // namespace tavrimen::cli
