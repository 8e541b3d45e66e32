#include "preview/text_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "platform/cp932.h"

namespace tavrimen::preview {
namespace {

// The widths of the printable ASCII characters (0x20 to 0x7E) in hundredths of an em, as the
// proportional fonts of the font list draw them, rounded up: digits 0.6 em, W and M near an em.
constexpr std::array<std::uint8_t, 95> kAsciiWidths = {
    30, 30, 38, 60, 60, 96, 72, 21, 36, 36, 42, 63, 30, 36,  30, 30, 60, 60,  60,
    60, 60, 60, 60, 60, 60, 60, 30, 30, 63, 63, 63, 60, 110, 72, 72, 78, 78,  72,
    66, 84, 78, 30, 54, 72, 60, 90, 78, 84, 72, 84, 78, 72,  66, 78, 72, 102, 72,
    72, 66, 30, 30, 30, 51, 60, 36, 60, 60, 54, 60, 60, 30,  60, 60, 24, 24,  54,
    24, 90, 60, 60, 60, 60, 36, 54, 30, 60, 54, 78, 54, 54,  54, 36, 28, 36,  63,
};
constexpr int kFullWidth = 100;
constexpr int kHalfWidthKana = 55;
constexpr int kOtherByte = 60;  // a control character shows as a blank, a stray byte as "?"

// The length of the character at `c`, at most the bytes left, and its width in hundredths of an
// em. Half-width katakana (U+FF61 to U+FF9F, EF BD A1 to EF BE 9F) start with EF, which needs a
// look at the next bytes; a byte that starts no character, or one cut short, stands alone.
struct Char {
  std::size_t length;
  int width;
};
Char CharAt(const unsigned char* c, std::size_t left) {
  const std::size_t length = cp932::Utf8SequenceLength(*c);
  if (length == 1 || length > left) {
    return {1, *c >= 0x20 && *c < 0x7F ? kAsciiWidths[*c - 0x20] : kOtherByte};
  }
  if (c[0] == 0xEF && length == 3 && ((c[1] == 0xBD && c[2] >= 0xA1) || c[1] == 0xBE)) {
    return {3, kHalfWidthKana};
  }
  return {length, kFullWidth};
}

}  // namespace

int TextEms(std::string_view utf8) {
  const auto* const bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  int width = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const Char c = CharAt(bytes + at, utf8.size() - at);
    width += c.width;
    at += c.length;
  }
  return width;
}

double TextWidth(std::string_view utf8, double size) { return TextEms(utf8) * size / kFullWidth; }

double FitSize(std::string_view utf8, double size, double width) {
  const double drawn = TextWidth(utf8, size);
  return drawn <= width ? size : std::max(size / 2, size * width / drawn);
}

void WrapText(std::string_view text, double size, double width,
              std::vector<std::string_view>& lines) {
  // The hundredths of an em that fit, never a hair below a whole number it should reach.
  const auto room = static_cast<long>(std::floor(kFullWidth * width / size + 1e-9));
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t start = 0;
  long used = 0;
  for (std::size_t at = 0; at < text.size();) {
    const Char c = CharAt(bytes + at, text.size() - at);
    if (used + c.width > room && at > start) {
      lines.push_back(text.substr(start, at - start));
      start = at;
      used = 0;
    }
    used += c.width;
    at += c.length;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
}

}  // namespace tavrimen::preview
