// NumberFromText of any text: a number, zero, or the overflow error; never anything else. A
// number agrees with strtod on the same text, brought to single precision.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/errors.h"
#include "reference/text_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // The reference: the value of the digits, whatever their number (only digits, signs, a point
  // and an exponent reach strtod, so no locale or hexadecimal form is involved).
  const bool numeric = tavrimen::IsNumericText(text);
  const double reference = numeric ? std::strtod(text.c_str(), nullptr) : 0.0;
  // Rounding to single precision once or through double may differ by one unit near the bound.
  const bool near_bound = std::fabs(std::fabs(reference) - FLT_MAX) < FLT_MAX * 1e-6;
  try {
    const float value = tavrimen::NumberFromText(text);
    if (!std::isfinite(value)) std::abort();
    if (!numeric && value != 0) std::abort();
    if (numeric && !near_bound) {
      if (std::fabs(reference) > FLT_MAX) std::abort();
      const float expected = static_cast<float>(reference);
      const bool underflow = value == 0 && std::fabs(expected) < FLT_MIN;
      if (value != expected && std::nextafter(value, expected) != expected && !underflow) {
        std::abort();
      }
    }
  } catch (const tavrimen::NumberOverflowError&) {
    if (!numeric) std::abort();
    if (!near_bound && std::fabs(reference) <= FLT_MAX) std::abort();
  }
  if (size <= 32767) {
    if (tavrimen::ByteLength(text) != static_cast<std::int16_t>(size)) std::abort();
  }
  return 0;
}
