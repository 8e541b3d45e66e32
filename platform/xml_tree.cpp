#include "platform/xml_tree.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <type_traits>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace tavrimen::platform {
namespace {

// Deeper than any boring file goes, shallow enough that the tree's recursive destruction is safe.
constexpr std::size_t kMaxDepth = 256;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

// The tree as expat reports it. A refusal of our own stops the parser and is kept here, since no
// exception may cross expat's C frames.
struct Builder {
  XML_Parser parser = nullptr;
  XmlElement root;
  std::vector<XmlElement*> open;  // the elements whose end tag is still to come, innermost last
  bool has_root = false;
  std::optional<XmlError> refusal;
  std::string_view stop_after;  // the end tag after which nothing more is read, if any
  bool stopped = false;

  int Line() const {
    const XML_Size line = XML_GetCurrentLineNumber(parser);
    return line > static_cast<XML_Size>(INT_MAX) ? INT_MAX : static_cast<int>(line);
  }

  void Refuse(const std::string& what) {
    if (!refusal) refusal.emplace(Line(), what);
    XML_StopParser(parser, XML_FALSE);
  }
};

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto& builder = *static_cast<Builder*>(data);
  if (builder.refusal) return;
  if (builder.open.size() >= kMaxDepth) {
    builder.Refuse("elements nested deeper than " + std::to_string(kMaxDepth));
    return;
  }
  XmlElement* element = nullptr;
  if (builder.open.empty()) {
    // Well-formedness allows one root only, and expat enforces it.
    element = &builder.root;
    builder.has_root = true;
  } else {
    // Only the innermost open element gains children, so no pointer in `open` is invalidated.
    element = &builder.open.back()->children.emplace_back();
  }
  element->name = name;
  // The byte where the start tag begins, for now: turned into its line once the whole text has
  // been read, in one pass, rather than asking expat for every element.
  element->line =
      static_cast<int>(std::min<XML_Index>(XML_GetCurrentByteIndex(builder.parser), INT_MAX));
  for (const XML_Char** at = attributes; *at != nullptr; at += 2) {
    element->attributes.emplace_back(at[0], at[1]);
  }
  builder.open.push_back(element);
}

// expat reports the end of an empty-element tag along with its start, even when the start was
// refused.
void XMLCALL OnEnd(void* data, const XML_Char* name) {
  auto& builder = *static_cast<Builder*>(data);
  if (builder.refusal) return;
  builder.open.pop_back();
  if (!builder.stop_after.empty() && builder.stop_after == name) {
    builder.stopped = true;
    XML_StopParser(builder.parser, XML_FALSE);
  }
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
  auto& builder = *static_cast<Builder*>(data);
  if (!builder.refusal && !builder.open.empty() && length > 0) {
    builder.open.back()->text.append(text, static_cast<std::size_t>(length));
  }
}

void XMLCALL OnEntityDeclaration(void* data, const XML_Char*, int, const XML_Char*, int,
                                 const XML_Char*, const XML_Char*, const XML_Char*,
                                 const XML_Char*) {
  static_cast<Builder*>(data)->Refuse("entity declarations are not read");
}

// A reference to an entity that is neither built in nor declared (expat cannot tell it from one
// the unread DTD might declare, so it reports it instead of failing).
void XMLCALL OnSkippedEntity(void* data, const XML_Char* name, int) {
  static_cast<Builder*>(data)->Refuse(std::string("undeclared entity: ") + name);
}

struct ParserDeleter {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// Replaces the byte offset that each element holds as its line by the 1-based line of that byte
// in `text`. The elements are visited in the order of their start tags, so the text is counted
// once, from `at` on.
void NumberLines(std::string_view text, XmlElement& element, std::size_t& at, int& line) {
  const auto offset = std::min(static_cast<std::size_t>(element.line), text.size());
  for (; at < offset; ++at) line += text[at] == '\n';
  element.line = line;
  for (XmlElement& child : element.children) NumberLines(text, child, at, line);
}

void NumberLines(std::string_view text, XmlElement& root) {
  std::size_t at = 0;
  int line = 1;
  NumberLines(text, root, at, line);
}

XmlElement ParseUtf8(std::string_view text, std::string_view stop_after) {
  const std::string_view original = text;
  // The encoding given here overrides the document's own declaration.
  const std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserDeleter> parser(
      XML_ParserCreate("UTF-8"));
  if (!parser) throw std::bad_alloc();
  Builder builder;
  builder.parser = parser.get();
  builder.stop_after = stop_after;
  XML_SetUserData(parser.get(), &builder);
  XML_SetElementHandler(parser.get(), OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser.get(), OnText);
  XML_SetEntityDeclHandler(parser.get(), OnEntityDeclaration);
  XML_SetSkippedEntityHandler(parser.get(), OnSkippedEntity);
  // The DOCTYPE's DTD is named but never fetched; no external entity handler is set either.
  XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

  // One call for any real document, so that no token is parsed again across calls.
  constexpr std::size_t kPiece = std::size_t{1} << 30;
  do {
    const std::size_t size = std::min(text.size(), kPiece);
    const bool last = size == text.size();
    const XML_Status status =
        XML_Parse(parser.get(), text.data(), static_cast<int>(size), last ? XML_TRUE : XML_FALSE);
    if (builder.refusal) throw *builder.refusal;
    if (builder.stopped) {
      NumberLines(original, builder.root);
      return std::move(builder.root);
    }
    if (status != XML_STATUS_OK) {
      throw XmlError(builder.Line(), XML_ErrorString(XML_GetErrorCode(parser.get())));
    }
    text.remove_prefix(size);
  } while (!text.empty());
  if (!builder.has_root) throw XmlError(builder.Line(), "no element found");
  NumberLines(original, builder.root);
  return std::move(builder.root);
}

bool IsBlank(std::string_view text, std::size_t pos) {
  const char c = text[pos];
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text) {
  for (;;) {
    if (!text.empty() && IsBlank(text, 0)) {
      text.remove_prefix(1);
    } else if (text.starts_with(kIdeographicSpace)) {
      text.remove_prefix(kIdeographicSpace.size());
    } else {
      break;
    }
  }
  for (;;) {
    if (!text.empty() && IsBlank(text, text.size() - 1)) {
      text.remove_suffix(1);
    } else if (text.ends_with(kIdeographicSpace)) {
      text.remove_suffix(kIdeographicSpace.size());
    } else {
      break;
    }
  }
  return text;
}

}  // namespace

const XmlElement* XmlElement::Child(std::string_view child_name) const {
  for (const XmlElement& child : children) {
    if (child.name == child_name) return &child;
  }
  return nullptr;
}

std::vector<const XmlElement*> XmlElement::Children(std::string_view child_name) const {
  std::vector<const XmlElement*> found;
  for (const XmlElement& child : children) {
    if (child.name == child_name) found.push_back(&child);
  }
  return found;
}

std::string XmlElement::ChildText(std::string_view child_name) const {
  const XmlElement* child = Child(child_name);
  return child != nullptr ? std::string(Trimmed(child->text)) : std::string();
}

std::string_view XmlElement::Attribute(std::string_view attribute_name) const {
  for (const auto& [key, value] : attributes) {
    if (key == attribute_name) return value;
  }
  return {};
}

bool IsValidUtf8(std::string_view bytes) {
  while (!bytes.empty()) {
    // Runs of ASCII, most of any document, eight bytes at a time.
    while (bytes.size() >= 8) {
      std::uint64_t eight;
      std::memcpy(&eight, bytes.data(), 8);
      if ((eight & 0x8080808080808080u) != 0) break;
      bytes.remove_prefix(8);
    }
    if (bytes.empty()) break;
    const std::size_t length = ValidUtf8Sequence(bytes);
    if (length == 0) return false;
    bytes.remove_prefix(length);
  }
  return true;
}

XmlDocument ParseXml(std::string_view bytes, std::string_view stop_after) {
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  XmlDocument document;
  // A whole document is read as UTF-8 first: expat refuses any byte that is not UTF-8, so only a
  // document it refuses needs its bytes looked at. A document read only in part is looked at
  // first, since the part might be UTF-8 where the rest is not.
  if (stop_after.empty()) {
    try {
      document.root = ParseUtf8(bytes, stop_after);
      return document;
    } catch (const XmlError&) {
      if (IsValidUtf8(bytes)) throw;
    }
  } else if (IsValidUtf8(bytes)) {
    document.root = ParseUtf8(bytes, stop_after);
    return document;
  }
  // Code page 932 keeps line ends as they are, so lines are counted as in the file.
  document.encoding = XmlEncoding::kCp932;
  document.root = ParseUtf8(cp932::ToUtf8(bytes), stop_after);
  return document;
}

}  // namespace tavrimen::platform
