// The XML boring reader over any bytes: the tree reader reads them or refuses them with an
// XmlError, every text of a tree it reads is UTF-8, whatever the bytes were, and a boring document
// is read into its facts and written as a data set without fault.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/xml_tree.h"
#include "source/xml_boring.h"
#include "source/xml_data_set.h"

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
    const auto document = tavrimen::platform::ParseXml({reinterpret_cast<const char*>(data), size});
    Check(document.root);
    if (document.root.name == tavrimen::kXmlBoringRoot) {
      const tavrimen::XmlDataSet data_set =
          tavrimen::MakeDataSet(tavrimen::ReadXmlBoring(document));
      if (data_set.data_set.empty() || data_set.tables.empty()) std::abort();
    }
  } catch (const tavrimen::platform::XmlError& error) {
    if (error.line() < 1) std::abort();
  }
  return 0;
}
