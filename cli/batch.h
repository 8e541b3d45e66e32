// Converting many borings into one destination: each on its own and atomically, several at a time,
// with a progress line on a terminal and a summary at the end.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/drive_table.h"

namespace tavrimen::cli {

struct BatchOptions {
  platform::DriveTable drives;  // each worker thread starts from a copy
  std::string destination;      // drive form, as the run takes Text1
  std::string patdat;           // drive form, ending with a backslash
  std::optional<bool> answer;
  int jobs = 1;
  bool progress = false;  // a progress line on `err`
};

// Converts each source (drive form) into the destination. A source whose record file name is
// taken by an earlier source is refused instead of overwriting that record file. Prints the
// summary to `out`; returns the exit status: 0 when every source was converted, 1 otherwise.
int RunBatch(const std::vector<std::string>& sources, const BatchOptions& options,
             std::ostream& out, std::ostream& err);

// The folders at or below `root` that hold a file named X1.txt in any letter case, sorted.
std::vector<std::filesystem::path> FindBorings(const std::filesystem::path& root);

}  // namespace tavrimen::cli
