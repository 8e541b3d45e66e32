// The picture of any bytes read as a record file, drawn by one drawer after another as a batch
// draws: it is an SVG document (the XML declaration first, "</svg>" last), valid UTF-8 with no
// control characters, every '<' opens a tag and every '&' an entity, no attribute holds a number
// that is not finite, and its size stays within a bound.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/utf8.h"
#include "preview/boring_log.h"
#include "preview/svg_log.h"

namespace {

constexpr std::string_view kStart = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ";
constexpr std::string_view kEnd = "</svg>\n";

// A picture is its pages (twenty of body at most, symbols and all, about 0.4 MB as measured),
// the pages of notes (whose text stops at 1 MiB; 1.4 MB of markup at most as measured) and a
// mark or two for each item drawn: a sample of 5 bytes ("1 2\r\n") draws a bar of some 80 bytes,
// 16 bytes a byte, the most of any item measured. Both bounds leave room for twice as much.
constexpr std::size_t kMostBytes = std::size_t{4} << 20;
constexpr std::size_t kMostBytesPerInputByte = 32;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Whether `text` at `at` holds `word` as a word of its own ("-nan" and "inf" do, "info" not).
bool WordAt(std::string_view text, std::size_t at, std::string_view word) {
  if (text.substr(at, word.size()) != word) return false;
  const bool before = at > 0 && IsLetter(text[at - 1]);
  const bool after = at + word.size() < text.size() && IsLetter(text[at + word.size()]);
  return !before && !after;
}

void Check(std::string_view svg, std::size_t input_size) {
  if (svg.size() > kMostBytes + kMostBytesPerInputByte * input_size) std::abort();
  if (!svg.starts_with(kStart) || !svg.ends_with(kEnd)) std::abort();
  bool in_tag = true, in_value = false;  // in the svg element's start tag
  for (std::size_t at = kStart.size(); at < svg.size();) {
    const char c = svg[at];
    const std::size_t length = tavrimen::platform::ValidUtf8Sequence(svg.substr(at));
    if (length == 0) std::abort();
    if (length == 1 && static_cast<unsigned char>(c) < 0x20 && c != '\n') std::abort();
    if (c == '<') {
      if (in_tag) std::abort();
      const char next = at + 1 < svg.size() ? svg[at + 1] : '\0';
      if (!IsLetter(next) && next != '/') std::abort();
      in_tag = true;
    } else if (c == '>' && !in_value) {
      if (!in_tag) std::abort();
      in_tag = false;
    } else if (c == '"' && in_tag) {
      in_value = !in_value;
    } else if (c == '&') {
      const std::string_view rest = svg.substr(at);
      if (!rest.starts_with("&amp;") && !rest.starts_with("&lt;") && !rest.starts_with("&gt;") &&
          !rest.starts_with("&quot;") && !rest.starts_with("&apos;")) {
        std::abort();
      }
    } else if (in_value && (WordAt(svg, at, "nan") || WordAt(svg, at, "inf"))) {
      std::abort();
    }
    at += length;
  }
  if (in_tag) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Kept from one input to the next, as a batch keeps them.
  static tavrimen::preview::BoringLog log;
  static tavrimen::preview::LogDrawer drawer;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tavrimen::preview::ReadBoringLog(bytes, log);
  Check(drawer.Draw(log), size);
  return 0;
}
