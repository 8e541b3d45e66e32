// The three small utility operations the system relies on from its platform: the system folder
// (for the settings file), trimming filler off a text, and counting a character in a path.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrimen::platform {

// The system folder, native, without a trailing separator. TAVRIMEN_SYSTEM_DIR overrides it;
// otherwise it is the Windows system folder on Windows and /etc/tavrimen elsewhere.
std::string SysDir();

// `text` without trailing filler: blanks and NUL characters.
std::string QPRTrim(std::string_view text);

// How many times `ch` occurs in `text`, counted by characters of UTF-8 text.
std::size_t InCount(std::string_view text, char ch);

}  // namespace tavrimen::platform
