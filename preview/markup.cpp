#include "preview/markup.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tavrimen::preview {

Markup& Markup::operator<<(double number) {
  char text[32];
  char* end = text;
  const double tenths = number * 10;
  if (!(std::abs(tenths) < 1e15)) {
    // Beyond what an integer holds (and not a number): as the standard writes it.
    end = std::to_chars(text, text + sizeof text, number).ptr;
  } else {
    // Whole tenths in an integer, rounded to the nearest (ties to even), written as integers:
    // std::to_chars with a precision took about an eighth of a picture's drawing time.
    auto whole = static_cast<long long>(tenths);  // toward zero
    const double rest = tenths - static_cast<double>(whole);
    if (rest > 0.5 || (rest == 0.5 && whole % 2 != 0)) ++whole;
    if (rest < -0.5 || (rest == -0.5 && whole % 2 != 0)) --whole;
    if (whole < 0) {
      *end++ = '-';
      whole = -whole;
    }
    end = std::to_chars(end, text + sizeof text, whole / 10).ptr;
    if (whole % 10 != 0) {
      *end++ = '.';
      *end++ = static_cast<char>('0' + whole % 10);
    }
  }
  text_.append(text, end);
  return *this;
}

Markup& Markup::operator<<(Escaped escaped) {
  const std::string_view text = escaped.text;
  std::size_t run = 0;  // the start of the bytes not yet appended, which need no entity
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string_view replacement;
    switch (text[i]) {
      case '&':
        replacement = "&amp;";
        break;
      case '<':
        replacement = "&lt;";
        break;
      case '>':
        replacement = "&gt;";
        break;
      case '"':
        replacement = "&quot;";
        break;
      default:
        if (static_cast<unsigned char>(text[i]) >= 0x20) continue;
        replacement = " ";
    }
    (text_ += text.substr(run, i - run)) += replacement;
    run = i + 1;
  }
  text_ += text.substr(run);
  return *this;
}

}  // namespace tavrimen::preview
