// Native paths from and to UTF-8 text, the same way on every platform (on Windows a narrow
// std::filesystem::path would use the ANSI code page instead).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavrimen::platform {

// Whether a file or folder name may end in blanks (on Windows the system drops them).
#ifdef _WIN32
inline constexpr bool kNamesMayEndInBlanks = false;
#else
inline constexpr bool kNamesMayEndInBlanks = true;
#endif

inline std::filesystem::path Utf8Path(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8String(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace tavrimen::platform
