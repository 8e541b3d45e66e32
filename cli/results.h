// What became of each boring, for scripts: --format json prints one object per boring.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/conversion_run.h"

namespace tavrimen::cli {

struct BoringResult {
  std::string source;       // as the user reads it
  std::string record_file;  // as the user reads it; empty when the source names none
  RunOutcome outcome = RunOutcome::kConverted;
  std::string message;  // on one line; empty for a boring that was converted
};

// "converted", "refused", "failed".
const char* OutcomeName(RunOutcome outcome);

// The results as a JSON array of objects with the keys "source", "record_file" (null when
// empty), "outcome" and "message".
void PrintResults(const std::vector<BoringResult>& results, std::ostream& out);

}  // namespace tavrimen::cli
