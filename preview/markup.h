// Text for the SVG pictures and the HTML overview, built by appending: text as it stands,
// numbers compactly, and escaped text.
#pragma once

#include <string>
#include <string_view>

namespace tavrimen::preview {

// Text to append with the markup characters as entities and the control characters (which XML
// does not allow) as blanks.
struct Escaped {
  std::string_view text;
};

class Markup {
 public:
  void reserve(std::size_t bytes) { text_.reserve(bytes); }

  Markup& operator<<(std::string_view text) {
    text_ += text;
    return *this;
  }
  Markup& operator<<(char c) {
    text_ += c;
    return *this;
  }
  // A number with one decimal, or none when it is whole ("120", "203.4", never "-0").
  Markup& operator<<(double number);
  Markup& operator<<(int number) { return *this << static_cast<double>(number); }
  Markup& operator<<(Escaped text);

  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace tavrimen::preview
