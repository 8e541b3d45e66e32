#include "preview/soil_symbols.h"

#include <array>

#include "platform/cp932.h"

namespace tavrimen::preview {
namespace {

constexpr std::array<SoilClassLook, kSoilClassCount> kLooks = {{
    {"soil-none", "", "#dcdcdc", 4, "", false},
    {"soil-fill", "盛土・埋土", "#c9b79c", 3, "M0.8 0.8l1.4 1.4M2.2 0.8l-1.4 1.4", false},
    {"soil-topsoil", "表土", "#b3977a", 3, "M1 0.6v1.2M1.8 0.6v1.2", false},
    {"soil-organic", "有機質土・腐植土", "#a7ab7c", 4, "M0.2 1.2q0.9-0.9 1.8 0t1.8 0", false},
    {"soil-volcanic", "火山灰質土・ローム", "#d2a07a", 3, "M0.7 0.8l0.8 1.3l0.8-1.3", false},
    {"soil-clay", "粘土", "#aebfc6", 1.2, "M0 0.6h1.2", false},
    {"soil-silt", "シルト", "#c3cdb2", 3, "M0 0.75h1.8M1.5 2.25h1.5M0 2.25h0.3", false},
    {"soil-sand", "砂", "#efdc92", 1.6,
     "M0.4 0.4m-0.2 0a0.2 0.2 0 1 0 0.4 0a0.2 0.2 0 1 0-0.4 0M1.2 1.2m-0.2 0a0.2 0.2 0 1 0 0.4 "
     "0a0.2 0.2 0 1 0-0.4 0",
     true},
    {"soil-gravel", "礫", "#dbb08a", 4,
     "M1 1m-0.7 0a0.7 0.7 0 1 0 1.4 0a0.7 0.7 0 1 0-1.4 0M3 3m-0.7 0a0.7 0.7 0 1 0 1.4 0a0.7 0.7 0 "
     "1 0-1.4 0",
     false},
    {"soil-rock", "岩", "#b4b4c2", 3, "M0 3L3 0M-1 1L1-1M2 4L4 2M0 0L3 3", false},
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
