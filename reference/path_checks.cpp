#include "reference/path_checks.h"

#include <algorithm>

#include "platform/utilities.h"
#include "reference/text_helpers.h"

namespace tavrimen {

PathVerdict CheckFolderPath(platform::FileSystem& files, std::string& path) {
  path = std::string(Trim(path));
  if (ByteSubstring(path, 2, 1) != ":") return PathVerdict::kNoDriveName;
  if (path.find_first_of("*?") != std::string::npos) return PathVerdict::kRejected;
  // The colon follows a character that is one byte in code page 932; in UTF-8 it may take more
  // (a half-width katakana), and then it names no drive.
  std::size_t after_colon = path.find(':') + 1;
  if (path.size() > after_colon && path[after_colon] != '\\') {
    path = path.substr(0, after_colon) + "\\" + path.substr(after_colon);
  }
  if (after_colon != 2 || !files.HasReadableDrive(path[0])) return PathVerdict::kRejected;
  if (path.back() != '\\') path.push_back('\\');
  if (path.size() == 3) return PathVerdict::kAccepted;
  if (path.find("\\\\") != std::string::npos) return PathVerdict::kRejected;
  return PathVerdict::kAccepted;
}

bool IsDriveRoot(std::string_view checked_path) { return CountPathParts(checked_path, "\\") < 2; }

std::string RecordFileNameOf(std::string_view checked_source) {
  std::vector<std::string> parts;
  const int n = CountPathParts(checked_source, "\\");
  SplitPath(checked_source, "\\", parts);
  return parts[static_cast<std::size_t>(std::max(n, 1))];
}

int CountPathParts(std::string_view path, std::string_view separators) {
  std::size_t count = 0;
  for (char separator : separators) count += platform::InCount(path, separator);
  return static_cast<int>(count);
}

void SplitPath(std::string_view path, std::string_view separators,
               std::vector<std::string>& parts) {
  // UTF-8 never holds an ASCII byte inside another character, so a byte-wise test is a
  // character-wise one.
  std::size_t k = 1;
  std::size_t start = 0;
  auto store = [&](std::string_view part) {
    if (parts.size() <= k) parts.resize(k + 1);
    parts[k] = std::string(part);
  };
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (separators.find(path[i]) != std::string_view::npos) {
      store(path.substr(start, i - start));
      ++k;
      start = i + 1;
    }
  }
  store(path.substr(start));
}

}  // namespace tavrimen
