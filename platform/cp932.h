// Code page 932 (Japanese Shift JIS as Windows uses it): conversion to and from UTF-8, and
// character-wise walking over code page 932 bytes.
//
// Field texts read from data files stay in code page 932 bytes throughout a conversion; these
// functions are for the places that count characters of such bytes, and for the borders where
// text meets the screen, a message or a file name (UTF-8 there).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrimen::cp932 {

// True for the bytes that start a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The number of bytes of the character that starts at `pos`: 2 for a lead byte with a byte after
// it, 1 otherwise (a lead byte at the very end stands alone).
constexpr std::size_t CharLength(std::string_view bytes, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(bytes[pos])) && pos + 1 < bytes.size() ? 2 : 1;
}

// Iterates the characters of code page 932 bytes, each as a view of its one or two bytes.
class Chars {
 public:
  explicit Chars(std::string_view bytes) : bytes_(bytes) {}

  class Iterator {
   public:
    Iterator(std::string_view bytes, std::size_t pos) : bytes_(bytes), pos_(pos) {}
    std::string_view operator*() const { return bytes_.substr(pos_, CharLength(bytes_, pos_)); }
    Iterator& operator++() {
      pos_ += CharLength(bytes_, pos_);
      return *this;
    }
    bool operator!=(const Iterator& other) const { return pos_ != other.pos_; }

   private:
    std::string_view bytes_;
    std::size_t pos_;
  };

  Iterator begin() const { return {bytes_, 0}; }
  Iterator end() const { return {bytes_, bytes_.size()}; }

 private:
  std::string_view bytes_;
};

// The number of characters in code page 932 bytes.
std::size_t CharCount(std::string_view bytes);

// Up to `count` characters from the 0-based character index `start`; empty past the end.
std::string_view CharSubstring(std::string_view bytes, std::size_t start, std::size_t count);

// The length of the UTF-8 sequence that `lead` starts (1 for a byte that starts none).
constexpr std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF7) return 4;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  return 1;
}

// UTF-8 to code page 932. A character that has no code page 932 form, and a byte that is not
// valid UTF-8, becomes one "?" byte.
std::string FromUtf8(std::string_view utf8);

// Code page 932 to UTF-8. Never fails: a byte that starts no valid character becomes "?", and a
// lead byte whose trail byte does not fit stands alone as "?" while the trail byte is read again
// as a character of its own (so a trail byte 0x40-0x7E comes back as that ASCII character).
std::string ToUtf8(std::string_view bytes);

// The room DecodeUtf8 needs for `count` code page 932 bytes: three bytes a byte, and a few more.
constexpr std::size_t Utf8Room(std::size_t count) { return 3 * count + 8; }

// Writes ToUtf8(bytes) to `out`, which has Utf8Room(bytes.size()) bytes, and returns the end of
// what it wrote.
char* DecodeUtf8(std::string_view bytes, char* out);

}  // namespace tavrimen::cp932
