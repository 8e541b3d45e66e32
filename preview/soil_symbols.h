// The soil symbols of a log's column: each layer is drawn in the colour of its soil class with the
// class's marks over it (lines, dashes, dots, circles, hatching), and the marks of the soil it is
// mixed with, sparser, so that classes stay apart in black and white. The marks are drawn as
// paths of their own rather than as SVG patterns, which a browser prints mark by mark into files
// of megabytes.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

#include "preview/markup.h"

namespace tavrimen::preview {

enum class SoilClass {
  kNone,
  kFill,      // 盛土, 埋土
  kTopsoil,   // 表土
  kOrganic,   // 有機質土, 腐植土
  kVolcanic,  // 火山灰質土, ローム
  kClay,
  kSilt,
  kSand,
  kGravel,
  kRock,
};
inline constexpr std::size_t kSoilClassCount = 10;

// How a class is drawn: its colour, and its marks repeated on a grid whose every other row is
// shifted by half a cell.
struct SoilClassLook {
  std::string_view name;    // in the legend (UTF-8)
  std::string_view colour;  // the fill under the marks
  double cell_width;
  double cell_height;
  std::string_view mark;  // the path of one mark, relative to the middle of its cell
  double reach_x;         // how far a mark reaches from the middle of its cell, each way
  double reach_y;
  double end_x;  // where its path ends, relative to the middle of its cell
  double end_y;
  bool dots;    // the marks are dots: stroked with round caps
  bool across;  // a line across the whole width on each row, instead of marks
};
const SoilClassLook& LookOf(SoilClass soil);

// The classes of a layer from its soil name and geology class name (UTF-8): the main soil and
// the one it is mixed with (kNone for none).
struct SoilSymbol {
  SoilClass main = SoilClass::kNone;
  SoilClass mixed = SoilClass::kNone;
};
SoilSymbol SymbolOf(std::string_view soil, std::string_view geology);

// Appends the symbol as a rectangle (millimetres) of the main class's colour, of class
// `rect_class` when that is not empty, with the marks of the main class over it and the sparser
// marks of the mixed one. Marks are placed on a grid fixed to the page, so that the marks of
// layers of one class line up.
void AppendSymbol(Markup& out, SoilSymbol symbol, double x, double y, double width, double height,
                  std::string_view rect_class = {});

// The symbols of layers by their names in code page 932, each pair of names worked out once: a
// batch meets the same few names again and again.
class SymbolCache {
 public:
  SoilSymbol Of(std::string_view soil, std::string_view geology);

 private:
  static constexpr std::size_t kMostKept = 4096;  // a batch that met more starts over
  std::unordered_map<std::string, SoilSymbol> known_;
  std::string key_;
};

}  // namespace tavrimen::preview
