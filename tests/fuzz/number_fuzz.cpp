// NumberFromText of any text: a number, zero, or the overflow error; never anything else.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/errors.h"
#include "reference/text_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const float value = tavrimen::NumberFromText(text);
    if (!std::isfinite(value)) std::abort();
    if (!tavrimen::IsNumericText(text) && value != 0) std::abort();
  } catch (const tavrimen::NumberOverflowError&) {
    if (!tavrimen::IsNumericText(text)) std::abort();
  }
  if (size <= 32767) {
    if (tavrimen::ByteLength(text) != static_cast<std::int16_t>(size)) std::abort();
  }
  return 0;
}
