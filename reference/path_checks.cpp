#include "reference/path_checks.h"

#include "platform/drives.h"
#include "platform/system_folder.h"
#include "reference/text_helpers.h"

namespace tavrimen {

bool ValidateFolderPath(std::string& path, MessageBoxes& boxes) {
  path = std::string(Trim(path));
  if (ByteSubstring(path, 2, 1) != ":") {
    boxes.ShowMessage(kDriveNameMessage, MessageIcon::kInformation, MessageButtons::kOk, kAppTitle);
    return false;
  }
  if (path.find_first_of("*?") != std::string::npos) return false;
  // The colon follows a character that is one byte in code page 932; in UTF-8 it may take more
  // (a half-width katakana), and then it names no drive.
  std::size_t after_colon = path.find(':') + 1;
  if (path.size() > after_colon && path[after_colon] != '\\') {
    path = path.substr(0, after_colon) + "\\" + path.substr(after_colon);
  }
  if (after_colon != 2 || !platform::ChangeDrive(path[0])) return false;
  if (path.back() != '\\') path.push_back('\\');
  if (path.size() == 3) return true;
  if (path.find("\\\\") != std::string::npos) return false;
  return true;
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
