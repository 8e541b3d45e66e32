#include "preview/markup.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tavrimen::preview {

namespace {

// Appends `number` in whole `kPerUnit`ths (rounded to the nearest, ties to even), without the
// zeros that end its decimals and never as "-0".
template <int kPerUnit>
void AppendInParts(std::string& out, double number) {
  char text[32];
  char* end = text;
  const double scaled = number * kPerUnit;
  if (!(std::abs(scaled) < 1e15)) {
    // Beyond what an integer holds (and not a number): as the standard writes it.
    end = std::to_chars(text, text + sizeof text, number).ptr;
  } else {
    auto whole = static_cast<long long>(scaled);  // toward zero
    const double rest = scaled - static_cast<double>(whole);
    if (rest > 0.5 || (rest == 0.5 && whole % 2 != 0)) ++whole;
    if (rest < -0.5 || (rest == -0.5 && whole % 2 != 0)) --whole;
    if (whole < 0) {
      *end++ = '-';
      whole = -whole;
    }
    end = std::to_chars(end, text + sizeof text, whole / kPerUnit).ptr;
    if (long long decimals = whole % kPerUnit; decimals != 0) {
      *end++ = '.';
      for (int digit = kPerUnit / 10; digit > 0 && decimals > 0; digit /= 10) {
        *end++ = static_cast<char>('0' + decimals / digit);
        decimals %= digit;
      }
    }
  }
  out.append(text, end);
}

}  // namespace

Markup& Markup::operator<<(double number) {
  AppendInParts<10>(text_, number);
  return *this;
}

Markup& Markup::operator<<(Metres depth) {
  AppendInParts<100>(text_, depth.value);
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
