// Items of any bytes: the reader always ends, positions only grow, and a reader started at a
// remembered position reads what the first reader read from there.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/item_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  tavrimen::platform::ItemReader reader(bytes);
  std::size_t position = reader.Position();
  std::size_t middle = 0;
  std::string item_after_middle;
  for (std::size_t count = 0; !reader.AtEnd(); ++count) {
    if (count > size + 1) std::abort();  // every item consumes at least one byte
    if (count == 2) middle = reader.Position();
    std::string item = reader.NextText();
    if (count == 2) item_after_middle = item;
    if (reader.Position() <= position) std::abort();
    position = reader.Position();
  }
  if (middle != 0) {
    tavrimen::platform::ItemReader again(bytes, middle);
    if (again.NextText() != item_after_middle) std::abort();
  }
  tavrimen::platform::ItemReader lines(bytes);
  while (!lines.AtEnd()) lines.NextLine();
  return 0;
}
