#include "preview/markup.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tavrimen::preview {
namespace {

// What each byte becomes in markup, where it does not stand for itself.
constexpr std::array<std::string_view, 256> kEntities = [] {
  std::array<std::string_view, 256> entities{};
  for (int c = 0; c < 0x20; ++c) entities[c] = " ";
  entities[0x7F] = " ";
  entities['&'] = "&amp;";
  entities['<'] = "&lt;";
  entities['>'] = "&gt;";
  entities['"'] = "&quot;";
  return entities;
}();
constexpr std::size_t kLongestEntity = 6;
constexpr std::array<bool, 256> kStandsForItself = [] {
  std::array<bool, 256> itself{};
  for (int c = 0; c < 256; ++c) itself[c] = StandsForItself(static_cast<unsigned char>(c));
  return itself;
}();
static_assert([] {
  for (int c = 0; c < 256; ++c) {
    if (kStandsForItself[c] != kEntities[c].empty()) return false;
  }
  return true;
}());

// The decimal digits of 0 to 99, two by two.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes `value` in decimal at `out` (room for 20 digits); returns the end. The values of a
// picture are mostly below 10,000, which take a branch or two and a pair or two of digits.
char* WriteDecimal(char* out, unsigned long long value) {
  const auto pair = [&out](unsigned long long two) {
    std::memcpy(out, &kDigitPairs[2 * two], 2);
    out += 2;
  };
  if (value >= 10000) return std::to_chars(out, out + 20, value).ptr;
  if (value >= 100) {
    const unsigned long long high = value / 100;
    if (high >= 10) {
      pair(high);
    } else {
      *out++ = static_cast<char>('0' + high);
    }
    value %= 100;
    pair(value);
    return out;
  }
  if (value >= 10) {
    pair(value);
    return out;
  }
  *out++ = static_cast<char>('0' + value);
  return out;
}

}  // namespace

void Markup::Grow(std::size_t bytes) {
  capacity_ = std::max(2 * capacity_, size_ + bytes);
  auto grown = std::make_unique_for_overwrite<char[]>(capacity_);
  if (size_ != 0) std::memcpy(grown.get(), text_.get(), size_);
  text_ = std::move(grown);
}

Markup& Markup::operator<<(int number) {
  char* const out = Room(12);
  size_ = static_cast<std::size_t>(std::to_chars(out, out + 12, number).ptr - text_.get());
  return *this;
}

Markup& Markup::operator<<(double number) {
  const double hundredths = number * 100;
  if (!(std::abs(hundredths) < 1e15)) {
    // Beyond what an integer holds (and not a number): as the standard writes it.
    char* const out = Room(32);
    size_ = static_cast<std::size_t>(std::to_chars(out, out + 32, number).ptr - text_.get());
    return *this;
  }
  // Whole hundredths, rounded to the nearest, ties to even: adding and taking away 1.5 * 2^52
  // leaves a number below 2^51 rounded so in the default rounding mode. Written as integers,
  // which takes a fraction of what std::to_chars with a precision takes.
  constexpr double kRounder = 6755399441055744.0;
  const auto rounded = static_cast<long long>((hundredths + kRounder) - kRounder);
  char* out = Room(24);
  if (rounded < 0) *out++ = '-';
  const auto whole = static_cast<unsigned long long>(rounded < 0 ? -rounded : rounded);
  out = WriteDecimal(out, whole / 100);
  if (const auto fraction = whole % 100; fraction != 0) {
    *out++ = '.';
    *out++ = static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) *out++ = static_cast<char>('0' + fraction % 10);
  }
  size_ = static_cast<std::size_t>(out - text_.get());
  return *this;
}

Markup& Markup::operator<<(Escaped escaped) {
  char* out = Room(escaped.text.size() * kLongestEntity);
  for (const char c : escaped.text) {
    const auto byte = static_cast<unsigned char>(c);
    if (kStandsForItself[byte]) {
      *out++ = c;
    } else {
      std::memcpy(out, kEntities[byte].data(), kEntities[byte].size());
      out += kEntities[byte].size();
    }
  }
  size_ = static_cast<std::size_t>(out - text_.get());
  return *this;
}

void Markup::EscapeFrom(std::size_t start) {
  const char* const text = text_.get();
  std::size_t at = start;
  while (at < size_ && kStandsForItself[static_cast<unsigned char>(text[at])]) ++at;
  if (at == size_) return;
  const std::string rest(text + at, size_ - at);
  size_ = at;
  *this << Escaped{rest};
}

}  // namespace tavrimen::preview
