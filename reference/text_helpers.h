// Turning field texts into numbers, and measuring and cutting text in bytes of code page 932.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tavrimen {

// The number in a field text, in single precision, when the whole text (blanks around it allowed)
// is a decimal number: optional sign, digits with an optional point, optional exponent. Any other
// text gives 0. Throws NumberOverflowError for a magnitude beyond single precision.
float NumberFromText(std::string_view text);

// A file of the data set or of the pattern-data folder, known by its path. The numbers of its
// texts are read here, so that one beyond single precision raises a NumberOverflowError that names
// the file.
class NamedFile {
 public:
  explicit NamedFile(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }
  // NumberFromText of a text of this file.
  float Number(std::string_view text) const;
  // Raises that error for a value computed from `texts` of this file.
  [[noreturn]] void Overflow(std::string texts) const;

 private:
  std::string path_;
};

// Whether NumberFromText recognises `text` as a number.
bool IsNumericText(std::string_view text);

// The length in bytes of code page 932 text. Throws NumberOverflowError beyond 32767.
std::int16_t ByteLength(std::string_view cp932_text);

// Cuts UTF-8 text by bytes of its code page 932 form: at most `count` bytes (all when empty) from
// the 1-based byte position `start` (a fractional start rounds half to even), decoded back to
// UTF-8. Character boundaries are neither checked nor adjusted. Throws std::invalid_argument for
// a start below 1 or a negative count.
std::string ByteSubstring(std::string_view utf8_text, double start,
                          std::optional<long> count = std::nullopt);

// `text` with its ASCII letters in lower case, for comparing names without regard to letter case.
std::string AsciiLower(std::string_view text);

// Removes half-width blanks at both ends, at the start, or at the end.
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);

}  // namespace tavrimen
