// The soil symbols of a log's column: each layer is drawn in the colour of its soil class with the
// class's pattern over it (lines, dashes, dots, circles, hatching), and a second, sparser pattern
// for the soil it is mixed with, so that classes stay apart in black and white.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

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

struct SoilClassLook {
  std::string_view id;      // the pattern's id in the picture
  std::string_view name;    // in the legend (UTF-8)
  std::string_view colour;  // the fill under the pattern
  double tile;              // the pattern repeats every `tile` millimetres both ways
  std::string_view marks;   // the path of one tile, stroked
  bool filled_marks;        // the marks are filled rather than stroked
};
const SoilClassLook& LookOf(SoilClass soil);

// The classes of a layer from its soil name and geology class name (UTF-8): the main soil and
// the one it is mixed with (kNone for none).
struct SoilSymbol {
  SoilClass main = SoilClass::kNone;
  SoilClass mixed = SoilClass::kNone;
};
SoilSymbol SymbolOf(std::string_view soil, std::string_view geology);

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
