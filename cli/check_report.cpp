#include "cli/check_report.h"

#include <cstdio>
#include <ostream>

#include "cli/json.h"
#include "platform/cp932.h"
#include "platform/paths.h"

namespace tavrimen::cli {
namespace {

// A finding's file by its native path; a path that is not in drive form (as the command line gave
// it) as it is.
std::string Shown(platform::FileSystem& files, const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return path;
  auto native = files.ToNative(path);
  return native ? platform::Utf8String(*native) : path;
}

}  // namespace

void PrintFindings(platform::FileSystem& files, const std::vector<Finding>& findings, bool json,
                   std::ostream& out) {
  if (json) {
    out << "[";
    for (std::size_t i = 0; i < findings.size(); ++i) {
      const Finding& f = findings[i];
      out << (i == 0 ? "\n  " : ",\n  ") << "{\"file\": " << JsonString(Shown(files, f.file))
          << ", \"line\": " << f.line << ", \"column\": " << f.column
          << ", \"severity\": " << JsonString(SeverityName(f.severity))
          << ", \"message\": " << JsonString(f.message) << "}";
    }
    out << (findings.empty() ? "]\n" : "\n]\n");
    return;
  }
  for (const Finding& f : findings) {
    out << Printable(Shown(files, f.file)) << ":" << f.line << ":" << f.column << ": "
        << SeverityName(f.severity) << ": " << Printable(f.message) << "\n";
  }
}

}  // namespace tavrimen::cli
