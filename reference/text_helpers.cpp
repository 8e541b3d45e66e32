#include "reference/text_helpers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "platform/cp932.h"
#include "platform/errors.h"

namespace tavrimen {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The decimal number inside `text` with blanks around it removed and a leading "+" dropped, or
// nothing when `text` is not one.
std::optional<std::string_view> NumberPart(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponent_digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++exponent_digits;
    if (exponent_digits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  return text;
}

// The power of ten of the first significant digit of a number that NumberPart accepted
// (10^k <= |value| < 10^(k+1), to within rounding); nothing when every digit is 0. Decided from
// the digits and the exponent, whatever their length.
std::optional<long long> DecimalExponent(std::string_view number) {
  constexpr long long kLimit = 1'000'000'000;  // far beyond any float; keeps the sums small
  long long integer_digits = 0;
  long long digits = 0;
  std::optional<long long> first_significant;  // index among all the digits
  bool fraction = false;
  std::size_t i = number.front() == '-' ? 1 : 0;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    if (number[i] == '.') {
      fraction = true;
      continue;
    }
    if (!first_significant && number[i] != '0') first_significant = digits;
    digits = std::min(digits + 1, kLimit);
    if (!fraction) integer_digits = digits;
  }
  if (!first_significant) return std::nullopt;
  long long exponent = 0;
  if (i < number.size()) {
    ++i;
    const bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
    for (; i < number.size(); ++i) exponent = std::min(exponent * 10 + (number[i] - '0'), kLimit);
    if (negative) exponent = -exponent;
  }
  return integer_digits - 1 - *first_significant + exponent;
}

}  // namespace

bool IsNumericText(std::string_view text) { return NumberPart(text).has_value(); }

float NumberFromText(std::string_view text) {
  auto number = NumberPart(text);
  if (!number) return 0.0f;
  const char* first = number->data();
  const char* last = first + number->size();
  float value = 0.0f;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range) {
    // Out of range is either too large (an error) or too small (zero), as the value decides: a
    // value of 1 or more is beyond single precision, a smaller one is below it.
    const auto power = DecimalExponent(*number);
    if (power && *power >= 0) throw NumberOverflowError(cp932::ToUtf8(text));
    return 0.0f;
  }
  if (std::isinf(value)) throw NumberOverflowError(cp932::ToUtf8(text));
  return value;
}

float NamedFile::Number(std::string_view text) const {
  try {
    return NumberFromText(text);
  } catch (const NumberOverflowError& e) {
    Overflow(e.field_text());
  }
}

void NamedFile::Overflow(std::string texts) const {
  throw NumberOverflowError(std::move(texts), path_);
}

std::int16_t ByteLength(std::string_view cp932_text) {
  if (cp932_text.size() > 32767) throw NumberOverflowError(std::to_string(cp932_text.size()));
  return static_cast<std::int16_t>(cp932_text.size());
}

std::string ByteSubstring(std::string_view utf8_text, double start, std::optional<long> count) {
  if (count && *count < 0) throw std::invalid_argument("ByteSubstring: negative count");
  double rounded = std::nearbyint(start);  // the default rounding mode: half to even
  if (!(rounded >= 1)) throw std::invalid_argument("ByteSubstring: start below 1");
  if (rounded > 2147483647.0) throw std::invalid_argument("ByteSubstring: start out of range");
  std::string bytes = cp932::FromUtf8(utf8_text);
  auto first = static_cast<std::size_t>(rounded) - 1;
  if (first >= bytes.size()) return {};
  std::size_t length = bytes.size() - first;
  if (count && static_cast<std::size_t>(*count) < length) length = static_cast<std::size_t>(*count);
  return cp932::ToUtf8(std::string_view(bytes).substr(first, length));
}

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace tavrimen
