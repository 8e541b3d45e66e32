// Checking UTF-8: text that may hold any bytes (a file or folder name need not be UTF-8) made
// valid for the places that require it, such as JSON and HTML.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrimen::platform {

// The length of the valid UTF-8 sequence at the start of `text`, or 0: no overlong forms, no
// surrogates, nothing beyond U+10FFFF.
std::size_t ValidUtf8Sequence(std::string_view text);

// `text` with every byte that starts no valid UTF-8 sequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

}  // namespace tavrimen::platform
