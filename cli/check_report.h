// Reporting the findings of a data check: one line each ("file:line:column: severity: message",
// line and column 0 for a file or folder as a whole) or JSON.
#pragma once

#include <iosfwd>
#include <vector>

#include "app/data_check.h"
#include "platform/file_system.h"

namespace tavrimen::cli {

// Prints `findings`, naming files by their native paths.
void PrintFindings(platform::FileSystem& files, const std::vector<Finding>& findings, bool json,
                   std::ostream& out);

}  // namespace tavrimen::cli
