// Code page 932 of any bytes: decoding never fails, characters cover the bytes exactly, and text
// that came from code page 932 comes back to the same characters.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/cp932.h"
#include "reference/text_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace cp932 = tavrimen::cp932;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::size_t covered = 0;
  std::size_t chars = 0;
  for (std::string_view ch : cp932::Chars(bytes)) {
    if (ch.empty() || ch.size() > 2) std::abort();
    covered += ch.size();
    ++chars;
  }
  if (covered != size || chars != cp932::CharCount(bytes)) std::abort();
  if (cp932::CharSubstring(bytes, 0, chars) != bytes) std::abort();
  const std::string utf8 = cp932::ToUtf8(bytes);
  const std::string again = cp932::FromUtf8(utf8);
  if (cp932::ToUtf8(again) != utf8) std::abort();
  // The same bytes read as UTF-8 text.
  const std::string encoded = cp932::FromUtf8(bytes);
  (void)cp932::ToUtf8(encoded);
  if (size >= 1) (void)tavrimen::ByteSubstring(bytes, 1 + data[0] % 8, data[0] % 5);
  return 0;
}
