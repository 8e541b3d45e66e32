// A whole XML document as a tree of elements, read with a well-kept parser (expat) and nothing
// hand-written. Boring files are small (the readers bound them at 64 MB), so a tree is the
// simplest form for readers that look for the same facts under names that differ between
// versions of a format.
//
// Reading is safe by construction: no DTD and no external entity is ever fetched, a document that
// declares entities of its own is refused (so no expansion can grow without bound), and only the
// five built-in entities and character references are expanded.
//
// Encoding: real files declare Shift_JIS and hold UTF-8 bytes, or the other way round. The bytes
// are trusted over the declaration: a document whose bytes are valid UTF-8 is read as UTF-8,
// any other as code page 932. Every text in the tree is UTF-8.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrimen::platform {

struct XmlElement {
  std::string name;  // UTF-8
  // The character data directly inside the element, all its pieces joined, untrimmed. Line ends
  // inside it are "\n" whatever the file used.
  std::string text;
  std::vector<std::pair<std::string, std::string>> attributes;
  int line = 0;  // 1-based line of the start tag in the file
  std::vector<XmlElement> children;

  // The first child of that name; nullptr when there is none.
  const XmlElement* Child(std::string_view child_name) const;
  // Every child of that name, in document order.
  std::vector<const XmlElement*> Children(std::string_view child_name) const;
  // The text of the first child of that name, blanks (ASCII and ideographic) trimmed at both
  // ends; empty when there is no such child.
  std::string ChildText(std::string_view child_name) const;
  // The value of an attribute; empty when it is missing.
  std::string_view Attribute(std::string_view attribute_name) const;
};

enum class XmlEncoding { kUtf8, kCp932 };

struct XmlDocument {
  XmlElement root;
  XmlEncoding encoding = XmlEncoding::kUtf8;  // what the bytes were read as
};

// A document that cannot be read: malformed, declaring entities, or nested beyond reason. `line`
// is the 1-based line of the fault; what() is the parser's own description (English).
class XmlError : public std::runtime_error {
 public:
  XmlError(int line, const std::string& what) : std::runtime_error(what), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Reads a whole document. A byte-order mark is skipped. Throws XmlError. With `stop_after`, the
// reading ends after the first end tag of that name: the tree then holds what came before it,
// for a reader that needs only the start of a document (the encoding is still decided by all
// the bytes).
XmlDocument ParseXml(std::string_view bytes, std::string_view stop_after = {});

// Whether `bytes` are valid UTF-8 throughout (which plain ASCII is).
bool IsValidUtf8(std::string_view bytes);

}  // namespace tavrimen::platform
