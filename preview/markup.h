// Text for the SVG pictures and the HTML overview, built by appending: text as it stands,
// numbers compactly, and escaped text.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace tavrimen::preview {

// Whether a byte stands for itself in markup: neither a markup character nor a control character.
constexpr bool StandsForItself(unsigned char byte) {
  return byte >= 0x20 && byte != 0x7F && byte != '&' && byte != '<' && byte != '>' && byte != '"';
}

// Text to append with the markup characters as entities and the control characters (which XML
// does not allow, or which show as boxes) as blanks.
struct Escaped {
  std::string_view text;
};

class Markup {
 public:
  // Makes room for `bytes` in all, so that appending stays in place.
  void reserve(std::size_t bytes) {
    if (bytes > capacity_) Grow(bytes - size_);
  }

  Markup& operator<<(std::string_view text) {
    if (text.empty()) return *this;  // whose data may be null, which memcpy must not be given
    std::memcpy(Room(text.size()), text.data(), text.size());
    size_ += text.size();
    return *this;
  }
  Markup& operator<<(char c) {
    *Room(1) = c;
    ++size_;
    return *this;
  }
  // A number with at most two decimals, none when it is whole ("120", "203.45", "0.5", never
  // "-0").
  Markup& operator<<(double number);
  Markup& operator<<(int number);
  Markup& operator<<(Escaped text);

  // Writing in place: room for `bytes` more at the end, and then the end of what was written
  // there.
  char* Extend(std::size_t bytes) { return Room(bytes); }
  void Commit(const char* end) { size_ = static_cast<std::size_t>(end - text_.get()); }
  // Escapes what was appended after the first `start` bytes, as Escaped would have.
  void EscapeFrom(std::size_t start);

  // The text so far, dropping what came after its first `size` bytes, and starting again (in the
  // same room).
  std::string_view view() const { return {text_.get(), size_}; }
  std::size_t size() const { return size_; }
  void Truncate(std::size_t size) { size_ = std::min(size, size_); }
  void Clear() { size_ = 0; }

  std::string Take() {
    std::string text(text_.get(), size_);
    size_ = 0;
    return text;
  }

 private:
  // Where `bytes` more go.
  char* Room(std::size_t bytes) {
    if (capacity_ - size_ < bytes) [[unlikely]]
      Grow(bytes);
    return text_.get() + size_;
  }
  void Grow(std::size_t bytes);

  // Appending writes in place; the bytes past size_ are never read, so they are left unset.
  std::unique_ptr<char[]> text_;
  std::size_t capacity_ = 0;
  std::size_t size_ = 0;
};

}  // namespace tavrimen::preview
