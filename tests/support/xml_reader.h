// Test support: a small reader of well-formed XML (elements, attributes, text, the five predefined
// entities), so that tests read the SVG the programs draw rather than compare its text. Throws
// std::runtime_error on anything that is not well-formed.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavrimen::testing {

struct XmlElement {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string text;  // the text directly inside, entities replaced
  std::vector<XmlElement> children;

  double Number(const std::string& attribute) const;
  // Every element below this one (itself included) of that name and, when given, class.
  std::vector<const XmlElement*> All(std::string_view element,
                                     std::string_view of_class = "") const;
};

XmlElement ParseXml(std::string_view text);

}  // namespace tavrimen::testing
