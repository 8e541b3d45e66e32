#include "support/xml_reader.h"

#include <stdexcept>

namespace tavrimen::testing {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  XmlElement Document() {
    Blanks();
    if (text_.substr(at_, 5) == "<?xml") {
      const std::size_t end = text_.find("?>", at_);
      if (end == text_.npos) Fail("unterminated declaration");
      at_ = end + 2;
    }
    Blanks();
    XmlElement root = Element();
    Blanks();
    if (at_ != text_.size()) Fail("text after the root element");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error("XML: " + what + " at " + std::to_string(at_));
  }
  void Blanks() {
    while (at_ < text_.size() && std::string_view(" \t\r\n").find(text_[at_]) != text_.npos) ++at_;
  }
  std::string Name() {
    const std::size_t start = at_;
    while (at_ < text_.size() && std::string_view(" \t\r\n/>=").find(text_[at_]) == text_.npos) {
      ++at_;
    }
    if (at_ == start) Fail("expected a name");
    return std::string(text_.substr(start, at_ - start));
  }
  // Text up to `end`, with entities replaced; '<' is not allowed in it.
  std::string Characters(char end) {
    std::string out;
    while (at_ < text_.size() && text_[at_] != end) {
      const char c = text_[at_++];
      if (c == '<') Fail("'<' in text");
      if (c != '&') {
        out += c;
        continue;
      }
      const std::size_t semicolon = text_.find(';', at_);
      if (semicolon == text_.npos) Fail("unterminated entity");
      const std::string_view entity = text_.substr(at_, semicolon - at_);
      if (entity == "amp")
        out += '&';
      else if (entity == "lt")
        out += '<';
      else if (entity == "gt")
        out += '>';
      else if (entity == "quot")
        out += '"';
      else if (entity == "apos")
        out += '\'';
      else
        Fail("unknown entity");
      at_ = semicolon + 1;
    }
    return out;
  }
  XmlElement Element() {
    if (at_ >= text_.size() || text_[at_] != '<') Fail("expected an element");
    ++at_;
    XmlElement element;
    element.name = Name();
    for (;;) {
      Blanks();
      if (text_.substr(at_, 2) == "/>") {
        at_ += 2;
        return element;
      }
      if (at_ < text_.size() && text_[at_] == '>') {
        ++at_;
        break;
      }
      const std::string attribute = Name();
      Blanks();
      if (at_ >= text_.size() || text_[at_] != '=') Fail("expected '='");
      ++at_;
      Blanks();
      if (at_ >= text_.size() || text_[at_] != '"') Fail("expected '\"'");
      ++at_;
      if (!element.attributes.emplace(attribute, Characters('"')).second)
        Fail("twice the same attribute");
      ++at_;
    }
    for (;;) {
      element.text += Characters('<');
      if (at_ >= text_.size()) Fail("unterminated element " + element.name);
      if (text_.substr(at_, 2) == "</") {
        at_ += 2;
        if (Name() != element.name) Fail("mismatched end of " + element.name);
        Blanks();
        if (at_ >= text_.size() || text_[at_] != '>') Fail("expected '>'");
        ++at_;
        return element;
      }
      element.children.push_back(Element());
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

void Collect(const XmlElement& element, std::string_view name, std::string_view of_class,
             std::vector<const XmlElement*>& found) {
  const auto cls = element.attributes.find("class");
  if (element.name == name &&
      (of_class.empty() || (cls != element.attributes.end() && cls->second == of_class))) {
    found.push_back(&element);
  }
  for (const XmlElement& child : element.children) Collect(child, name, of_class, found);
}

}  // namespace

double XmlElement::Number(const std::string& attribute) const {
  return std::stod(attributes.at(attribute));
}

std::vector<const XmlElement*> XmlElement::All(std::string_view element,
                                               std::string_view of_class) const {
  std::vector<const XmlElement*> found;
  Collect(*this, element, of_class, found);
  return found;
}

XmlElement ParseXml(std::string_view text) { return Reader(text).Document(); }

}  // namespace tavrimen::testing
