#include "platform/utilities.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>

#include "platform/paths.h"
#endif

namespace tavrimen::platform {

std::string SysDir() {
  std::string folder;
  if (const char* env = std::getenv("TAVRIMEN_SYSTEM_DIR"); env != nullptr && *env != '\0') {
    folder = env;
  } else {
#ifdef _WIN32
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH + 1);
    folder = Utf8String(std::filesystem::path(std::wstring(buffer, length)));
#else
    folder = "/etc/tavrimen";
#endif
  }
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

std::string QPRTrim(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
  return std::string(text);
}

std::size_t InCount(std::string_view text, char ch) {
  // In UTF-8 an ASCII byte never occurs inside another character, so bytes equal characters here.
  std::size_t count = 0;
  for (char c : text) count += c == ch ? 1 : 0;
  return count;
}

}  // namespace tavrimen::platform
