// Text for machines and for one-line reports: JSON strings that are valid whatever bytes a name
// holds, and lines that a name holding a line end cannot split.
#pragma once

#include <string>
#include <string_view>

namespace tavrimen::cli {

// `text` as a JSON string, quotes included: bytes that start no valid UTF-8 sequence (overlong
// forms, surrogates, stray bytes) become U+FFFD, control characters are escaped.
std::string JsonString(std::string_view text);

// `text` with its control characters written as \xNN.
std::string Printable(std::string_view text);

}  // namespace tavrimen::cli
