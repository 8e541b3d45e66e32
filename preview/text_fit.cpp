#include "preview/text_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "platform/cp932.h"

namespace tavrimen::preview {
namespace {

// The length of the character at `c`, at most the bytes left, and its width in fifths of an em.
// Half-width katakana (U+FF61 to U+FF9F, EF BD A1 to EF BE 9F) start with EF, which needs a look
// at the next bytes; a byte that starts no character, or one cut short, stands alone.
struct Char {
  std::size_t length;
  int fifths;
};
Char CharAt(const unsigned char* c, std::size_t left) {
  const std::size_t length = cp932::Utf8SequenceLength(*c);
  if (length == 1 || length > left) return {1, 3};
  if (c[0] == 0xEF && length == 3 && ((c[1] == 0xBD && c[2] >= 0xA1) || c[1] == 0xBE)) {
    return {3, 3};
  }
  return {length, 5};
}

}  // namespace

int TextFifths(std::string_view utf8) {
  const auto* const bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  int fifths = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const Char c = CharAt(bytes + at, utf8.size() - at);
    fifths += c.fifths;
    at += c.length;
  }
  return fifths;
}

double TextWidth(std::string_view utf8, double size) { return TextFifths(utf8) * size / 5; }

void WrapText(std::string_view text, double size, double width,
              std::vector<std::string_view>& lines) {
  // The fifths of an em that fit, never a hair below a whole number it should reach.
  const auto room = static_cast<long>(std::floor(5 * width / size + 1e-9));
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t start = 0;
  long used = 0;
  for (std::size_t at = 0; at < text.size();) {
    const Char c = CharAt(bytes + at, text.size() - at);
    if (used + c.fifths > room && at > start) {
      lines.push_back(text.substr(start, at - start));
      start = at;
      used = 0;
    }
    used += c.fifths;
    at += c.length;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
}

}  // namespace tavrimen::preview
