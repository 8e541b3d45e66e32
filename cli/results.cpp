#include "cli/results.h"

#include <ostream>

#include "cli/json.h"
#include "platform/disk_file_system.h"
#include "platform/native_paths.h"
#include "reference/path_checks.h"

namespace tavrimen::cli {

std::string RecordFileOf(const platform::DriveTable& drives,
                         const platform::ResolvedPath& destination_path,
                         const platform::ResolvedPath& source_path) {
  if (destination_path.problem != platform::PathProblem::kNone ||
      source_path.problem != platform::PathProblem::kNone) {
    return "";
  }
  platform::DiskFileSystem files(drives);
  std::string destination = destination_path.RunText(), source = source_path.RunText();
  if (CheckFolderPath(files, source) != PathVerdict::kAccepted ||
      CheckFolderPath(files, destination) != PathVerdict::kAccepted) {
    return "";
  }
  return platform::ShownPath(drives, destination + RecordFileNameOf(source));
}

const char* OutcomeName(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kConverted:
      return "converted";
    case RunOutcome::kRefused:
      return "refused";
    case RunOutcome::kFailed:
      return "failed";
  }
  return "failed";
}

void PrintResults(const std::vector<BoringResult>& results, std::ostream& out) {
  out << "[";
  for (std::size_t i = 0; i < results.size(); ++i) {
    const BoringResult& r = results[i];
    out << (i == 0 ? "\n  " : ",\n  ") << "{\"source\": " << JsonString(r.source)
        << ", \"record_file\": " << (r.record_file.empty() ? "null" : JsonString(r.record_file))
        << ", \"outcome\": \"" << OutcomeName(r.outcome)
        << "\", \"message\": " << JsonString(r.message) << "}";
  }
  out << (results.empty() ? "]\n" : "\n]\n");
}

}  // namespace tavrimen::cli
