#include "preview/markup.h"

#include <charconv>

namespace tavrimen::preview {

void AppendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
}

std::string Escaped(std::string_view text) {
  std::string out;
  AppendEscaped(out, text);
  return out;
}

void AppendNumber(std::string& out, double value) {
  char text[32];
  char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1).ptr;
  if (end[-1] == '0' && end[-2] == '.') end -= 2;
  out.append(text, end);
}

std::string Number(double value) {
  std::string out;
  AppendNumber(out, value);
  return out;
}

}  // namespace tavrimen::preview
