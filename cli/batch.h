// Converting many borings into one destination: each on its own and atomically, several at a time,
// with a progress line on a terminal and a summary at the end.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/source_list.h"
#include "platform/drive_table.h"

namespace tavrimen::cli {

struct BatchOptions {
  platform::DriveTable drives;  // each worker thread starts from a copy
  std::string destination;      // drive form, as the run takes Text1
  std::string patdat;           // drive form, ending with a backslash
  std::optional<bool> answer;
  int jobs = 1;
  bool progress = false;  // a progress line on `err`
  // The folders that --all could not search: each is a failure of the batch.
  std::vector<Unsearched> unsearched;
};

// The message for a folder that could not be searched for borings.
std::string UnsearchedMessage(const Unsearched& folder);

// Converts each source (a path as the command line takes it) into the destination. A source whose
// record file name is taken by an earlier source is refused instead of overwriting that record
// file. Prints the summary to `out`; returns the exit status: 0 when every source was converted,
// 1 otherwise.
int RunBatch(const SourceList& sources, const BatchOptions& options, std::ostream& out,
             std::ostream& err);

}  // namespace tavrimen::cli
