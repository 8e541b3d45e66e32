// The picture of a boring as a self-contained SVG (UTF-8): a title block, a depth axis in metres,
// the layer column filled by geology class with the soil and colour texts and the notes beside it,
// the N values of the penetration tests, samples and in-situ tests as marked intervals, and water
// levels as triangles. Text that would not fit its column is cut with an ellipsis, and text that
// would not fit between its neighbours is left out: no text is drawn over another.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "preview/boring_log.h"
#include "preview/markup.h"

namespace tavrimen::preview {

// The fill of a geology class: the colour of the first keyword its name holds, else kNeutralFill
// (also for "@").
struct GeologyFill {
  std::string_view keyword;
  std::string_view colour;
};
inline constexpr std::array<GeologyFill, 11> kGeologyFills = {{
    {"盛土", "#b59b7a"},
    {"表土", "#7a5c3e"},
    {"有機", "#5b5f3a"},
    {"腐植", "#5b5f3a"},
    {"火山灰", "#b5704a"},
    {"ローム", "#b5704a"},
    {"礫", "#d19a66"},
    {"砂", "#ecd27a"},
    {"シルト", "#b7c2a3"},
    {"粘", "#9fb0b8"},
    {"岩", "#8c8c9c"},
}};
inline constexpr std::string_view kNeutralFill = "#dcdcdc";
std::string_view FillOf(std::string_view geology);

// The width of a line of text `size` pixels high, as the drawing reckons it: an em for a
// full-width character, 0.6 em for ASCII and half-width kana.
double TextWidth(std::string_view utf8, double size);

// Where depths are drawn: depth d (metres) at y = kTopPx + d * PixelsPerMetre(log depth).
inline constexpr double kTopPx = 120;
double PixelsPerMetre(double depth);

// The log as an SVG document.
std::string DrawBoringLog(const BoringLog& log);

// Draws one boring after another, as a batch does: the room of its text, and what it has worked
// out for each geology name (its fill, whether it fits its band), are kept for the next picture.
// A boring's geology names come from the pattern data, so a batch meets the same few again and
// again.
class LogDrawer {
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
      return std::hash<std::string_view>()(name);
    }
  };

 public:
  // The log as an SVG document, valid until the next picture.
  std::string_view Draw(const BoringLog& log);

  // How a geology name (code page 932) is drawn, and the names worked out so far.
  struct Geology {
    std::string_view fill;
    bool fits_band;
  };
  using Geologies = std::unordered_map<std::string, Geology, NameHash, std::equal_to<>>;
  // At most this many names are kept; a batch that met more starts over.
  static constexpr std::size_t kMostGeologies = 4096;

 private:
  Markup svg_;
  Geologies geologies_;
};

}  // namespace tavrimen::preview
