// What became of each boring, for scripts: --format json prints one object per boring.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/conversion_run.h"
#include "platform/drive_table.h"
#include "platform/native_paths.h"

namespace tavrimen::cli {

struct BoringResult {
  std::string source;       // as the user reads it
  std::string record_file;  // written, as the user reads it; empty when none was written
  RunOutcome outcome = RunOutcome::kConverted;
  std::string message;  // on one line; empty for a boring that was converted
};

// The record file that converting `source` into `destination` (both in drive form, as the run
// takes them) writes, as the user reads it; empty when the run would refuse either path.
std::string RecordFileOf(const platform::DriveTable& drives,
                         const platform::ResolvedPath& destination,
                         const platform::ResolvedPath& source);

// "converted", "refused", "failed".
const char* OutcomeName(RunOutcome outcome);

// The results as a JSON array of objects with the keys "source", "record_file" (null when
// empty), "outcome" and "message".
void PrintResults(const std::vector<BoringResult>& results, std::ostream& out);

}  // namespace tavrimen::cli
