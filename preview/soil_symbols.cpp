#include "preview/soil_symbols.h"

#include <array>
#include <cmath>

#include "platform/cp932.h"

namespace tavrimen::preview {
namespace {

constexpr std::array<SoilClassLook, kSoilClassCount> kLooks = {{
    {"", "#dcdcdc", 1, 1, "", 0, 0, 0, 0, false, false},
    {"盛土・埋土", "#c9b79c", 2.4, 2.4, "m-0.5-0.5l1 1m0-1l-1 1", 0.5, 0.5, -0.5, 0.5, false,
     false},
    {"表土", "#b3977a", 2.4, 2, "m-0.3 0.45v-0.9m0.6 0v0.9", 0.3, 0.45, 0.3, 0.45, false, false},
    {"有機質土・腐植土", "#a7ab7c", 2.6, 1.6, "m-0.8 0q0.4-0.5 0.8 0t0.8 0", 0.8, 0.3, 0.8, 0,
     false, false},
    {"火山灰質土・ローム", "#d2a07a", 2.4, 2.2, "m-0.5-0.4l0.5 0.8l0.5-0.8", 0.5, 0.4, 0.5, -0.4,
     false, false},
    {"粘土", "#aebfc6", 1, 1, "", 0, 0, 0, 0, false, true},
    {"シルト", "#c3cdb2", 2.4, 1.2, "m-0.7 0h1.4", 0.7, 0.1, 0.7, 0, false, false},
    {"砂", "#efdc92", 1.2, 1, "h0", 0.2, 0.2, 0, 0, true, false},
    {"礫", "#dbb08a", 2.8, 2.2, "m-0.6 0a0.6 0.6 0 1 0 1.2 0a0.6 0.6 0 1 0-1.2 0", 0.65, 0.65, -0.6,
     0, false, false},
    {"岩", "#b4b4c2", 2, 2, "m-0.6 0.6l1.2-1.2", 0.6, 0.6, 0.6, -0.6, false, false},
}};

// The words that name each class; a name holds a class where it holds one of its words.
struct Word {
  std::string_view text;
  SoilClass soil;
};
constexpr std::array<Word, 19> kWords = {{
    {"盛土", SoilClass::kFill},         {"埋土", SoilClass::kFill},
    {"埋戻", SoilClass::kFill},         {"表土", SoilClass::kTopsoil},
    {"有機", SoilClass::kOrganic},      {"腐植", SoilClass::kOrganic},
    {"泥炭", SoilClass::kOrganic},      {"ローム", SoilClass::kVolcanic},
    {"火山灰", SoilClass::kVolcanic},   {"軽石", SoilClass::kVolcanic},
    {"スコリア", SoilClass::kVolcanic}, {"粘土", SoilClass::kClay},
    {"粘性土", SoilClass::kClay},       {"シルト", SoilClass::kSilt},
    {"砂", SoilClass::kSand},           {"礫", SoilClass::kGravel},
    {"玉石", SoilClass::kGravel},       {"転石", SoilClass::kGravel},
    {"岩", SoilClass::kRock},
}};

// Fill and topsoil name how a layer came to be rather than what it is made of: they win over the
// soil they are made of, which becomes the mixed one.
bool Made(SoilClass soil) { return soil == SoilClass::kFill || soil == SoilClass::kTopsoil; }

// The classes a name holds: the main one is the soil its name ends with (砂質シルト is silt,
// シルト質砂 sand) unless it names fill or topsoil, the mixed one the first other class it names.
SoilSymbol Classes(std::string_view name) {
  SoilSymbol symbol;
  std::size_t main_end = 0;
  for (const Word& word : kWords) {
    for (std::size_t at = name.find(word.text); at != std::string_view::npos;
         at = name.find(word.text, at + 1)) {
      const std::size_t end = at + word.text.size();
      if (Made(symbol.main)) continue;
      if (Made(word.soil) || end >= main_end) {
        symbol.main = word.soil;
        main_end = end;
      }
    }
  }
  for (std::size_t at = 0; at < name.size() && symbol.mixed == SoilClass::kNone; ++at) {
    for (const Word& word : kWords) {
      if (word.soil != symbol.main && name.substr(at).starts_with(word.text)) {
        symbol.mixed = word.soil;
        break;
      }
    }
  }
  return symbol;
}

// Appends the path data of `soil`'s marks within the rectangle, on its grid or, when `sparse`, on
// a grid twice as wide and high.
void AppendMarks(Markup& out, SoilClass soil, double x, double y, double width, double height,
                 bool sparse) {
  const SoilClassLook& look = LookOf(soil);
  const double scale = sparse ? 2 : 1;
  const double cell_width = look.cell_width * scale, cell_height = look.cell_height * scale;
  constexpr double kMargin = 0.25;  // marks keep this far inside the rectangle
  const double top = y + kMargin + look.reach_y, bottom = y + height - kMargin - look.reach_y;
  const double left = x + kMargin + look.reach_x, right = x + width - kMargin - look.reach_x;
  // The rows whose middles lie where their marks fit, on the grid of the page.
  for (auto row = static_cast<long>(std::ceil(top / cell_height - 0.5));; ++row) {
    const double row_y = (static_cast<double>(row) + 0.5) * cell_height;
    if (row_y > bottom + 1e-9) break;
    if (look.across) {
      out << 'M' << x + kMargin << ' ' << row_y << 'h' << width - 2 * kMargin;
      continue;
    }
    const double shift = (row % 2 == 0 ? 0.5 : 1.0) * cell_width;
    bool first = true;
    double end_x = 0;
    for (auto column = static_cast<long>(std::ceil((left - shift) / cell_width));; ++column) {
      const double mark_x = static_cast<double>(column) * cell_width + shift;
      if (mark_x > right + 1e-9) break;
      if (first) {
        out << 'M' << mark_x << ' ' << row_y;
        first = false;
      } else {
        // From where the last mark ended, relative: a few bytes a mark.
        out << 'm' << mark_x - end_x << ' ' << -look.end_y;
      }
      out << look.mark;
      end_x = mark_x + look.end_x;
    }
  }
}

}  // namespace

const SoilClassLook& LookOf(SoilClass soil) { return kLooks[static_cast<std::size_t>(soil)]; }

SoilSymbol SymbolOf(std::string_view soil, std::string_view geology) {
  SoilSymbol symbol = Classes(soil);
  const SoilSymbol by_geology = Classes(geology);
  if (symbol.main == SoilClass::kNone) return by_geology;
  // A geology class of fill or topsoil is what the layer is, whatever it is made of.
  if (Made(by_geology.main) && !Made(symbol.main)) return {by_geology.main, symbol.main};
  return symbol;
}

void AppendSymbol(Markup& out, SoilSymbol symbol, double x, double y, double width, double height,
                  std::string_view rect_class) {
  out << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << width << "\" height=\"" << height
      << "\" fill=\"" << LookOf(symbol.main).colour << '"';
  if (!rect_class.empty()) out << " class=\"" << rect_class << '"';
  out << "/>\n";
  for (const auto& [soil, sparse] :
       {std::pair(symbol.main, false), std::pair(symbol.mixed, true)}) {
    if (soil == SoilClass::kNone) continue;
    const std::size_t start = out.size();
    out << "<path class=\"" << (LookOf(soil).dots ? "dots" : "sym") << "\" d=\"";
    const std::size_t marks = out.size();
    AppendMarks(out, soil, x, y, width, height, sparse);
    if (out.size() == marks) {
      out.Truncate(start);  // too small a rectangle for a mark
    } else {
      out << "\"/>\n";
    }
  }
}

SoilSymbol SymbolCache::Of(std::string_view soil, std::string_view geology) {
  key_.assign(soil);
  key_ += '\0';
  key_ += geology;
  if (const auto known = known_.find(key_); known != known_.end()) return known->second;
  const SoilSymbol symbol = SymbolOf(cp932::ToUtf8(soil), cp932::ToUtf8(geology));
  if (known_.size() == kMostKept) known_.clear();
  known_.emplace(key_, symbol);
  return symbol;
}

}  // namespace tavrimen::preview
