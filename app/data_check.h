// Checking a boring's data set without converting it: what the record file would show as "@",
// what would stop or refuse a conversion, and which files a conversion would create or delete in
// the source folder. Nothing on disk is changed.
#pragma once

#include <string>
#include <vector>

#include "app/messages.h"
#include "platform/file_system.h"

namespace tavrimen {

enum class Severity { kError, kWarning, kNote };

struct Finding {
  std::string file;  // drive form
  int line = 0;      // 1-based, in the file's own lines; 0 for the file as a whole
  int column = 0;    // 1-based, in characters
  Severity severity = Severity::kWarning;
  std::string message;  // UTF-8, Japanese
};

// Checks the data set in `source_folder` (drive form, ending with a backslash) against the
// reference tables of `patdat_path` (drive form, ending with a backslash), through a read-only
// view of `files`. Findings come in file order, then by position; a path inside a message is
// named as `shown` names it (the findings' own files stay in drive form).
std::vector<Finding> CheckDataSet(platform::FileSystem& files, const std::string& source_folder,
                                  const std::string& patdat_path, const PathShown& shown = {});

// "error", "warning", "note".
const char* SeverityName(Severity severity);

}  // namespace tavrimen
