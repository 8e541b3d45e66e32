// How wide a text is drawn, as the log reckons it, and how a text wraps into the lines of a
// column: an em for a full-width character, 0.55 em for half-width kana, and the width of each
// ASCII character in a proportional font (0.6 em for a digit).
#pragma once

#include <string_view>
#include <vector>

namespace tavrimen::preview {

// The width of UTF-8 text in hundredths of an em.
int TextEms(std::string_view utf8);
// The width of UTF-8 text drawn `size` high.
double TextWidth(std::string_view utf8, double size);

// The size, at most `size`, at which UTF-8 text is drawn within `width` on one line; never below
// half of `size`.
double FitSize(std::string_view utf8, double size, double width);

// Appends to `lines` the lines that UTF-8 `text` wraps into at `width`, drawn `size` high: each
// line as long as fits, broken between characters, at least one character a line. Every
// character is kept in order, so the lines put together give the text back.
void WrapText(std::string_view text, double size, double width,
              std::vector<std::string_view>& lines);

}  // namespace tavrimen::preview
