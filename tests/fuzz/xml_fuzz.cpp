// The XML tree reader over any bytes: it reads them or refuses them with an XmlError, and every
// text of a tree it reads is UTF-8, whatever the bytes were.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/xml_tree.h"

namespace {

using tavrimen::platform::IsValidUtf8;
using tavrimen::platform::XmlElement;

void Check(const XmlElement& element) {
  if (!IsValidUtf8(element.name) || !IsValidUtf8(element.text) || element.line < 1) std::abort();
  for (const auto& [name, value] : element.attributes) {
    if (!IsValidUtf8(name) || !IsValidUtf8(value)) std::abort();
  }
  for (const XmlElement& child : element.children) Check(child);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    Check(tavrimen::platform::ParseXml({reinterpret_cast<const char*>(data), size}).root);
  } catch (const tavrimen::platform::XmlError& error) {
    if (error.line() < 1) std::abort();
  }
  return 0;
}
