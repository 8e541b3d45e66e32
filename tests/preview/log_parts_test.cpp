// The parts a boring log is drawn with: text widths and wrapping, soil symbols, scales, and what
// of a log can be drawn as data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp932.h"
#include "preview/boring_log.h"
#include "preview/log_facts.h"
#include "preview/log_sheet.h"
#include "preview/soil_symbols.h"
#include "preview/text_fit.h"

namespace tavrimen::preview {
namespace {

TEST(TextFit, MeasuresFullAndHalfWidthCharactersAndWrapsBetweenThem) {
  EXPECT_EQ(TextEms("粘土"), 200);
  EXPECT_EQ(TextEms("N=2"), 201);
  EXPECT_EQ(TextEms("Wi"), 126);
  EXPECT_EQ(TextEms("ｱｲ"), 110);  // half-width katakana
  EXPECT_EQ(TextEms("砂ｱa"), 215);
  EXPECT_EQ(TextEms("\xE3\x81"), 120);  // a character cut short: its bytes alone
  // At 2 mm an em, 10 mm holds five full-width characters, or eight digits.
  const struct {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"一二三四五六七", {"一二三四五", "六七"}},
      {"0123456789", {"01234567", "89"}},
      {"一二三四00五", {"一二三四0", "0五"}},
      {"十文字以上の長い語", {"十文字以上", "の長い語"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string_view> lines;
    WrapText(c.text, 2, 10, lines);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), c.lines) << c.text;
  }
}

TEST(SoilSymbols, TheNameEndsWithTheMainSoilAndFillOrTopsoilWin) {
  const struct {
    const char* soil;
    const char* geology;
    SoilClass main, mixed;
  } cases[] = {
      {"砂質シルト", "沖積粘性土", SoilClass::kSilt, SoilClass::kSand},
      {"シルト質砂", "沖積砂質土", SoilClass::kSand, SoilClass::kSilt},
      {"砂礫～玉石", "沖積礫質土", SoilClass::kGravel, SoilClass::kSand},
      {"盛土砂", "盛土", SoilClass::kFill, SoilClass::kSand},
      {"砂", "盛土", SoilClass::kFill, SoilClass::kSand},
      {"表土", "表土", SoilClass::kTopsoil, SoilClass::kNone},
      {"粘土～腐植土", "沖積粘性土", SoilClass::kOrganic, SoilClass::kClay},
      {"火山灰", "洪積粘性土", SoilClass::kVolcanic, SoilClass::kNone},
      {"軟岩", "軟岩", SoilClass::kRock, SoilClass::kNone},
      {"@", "洪積粘性土", SoilClass::kClay, SoilClass::kNone},
      {"@", "@", SoilClass::kNone, SoilClass::kNone},
  };
  for (const auto& c : cases) {
    const SoilSymbol symbol = SymbolOf(c.soil, c.geology);
    EXPECT_EQ(symbol.main, c.main) << c.soil << " " << c.geology;
    EXPECT_EQ(symbol.mixed, c.mixed) << c.soil << " " << c.geology;
  }
  SymbolCache cache;
  EXPECT_EQ(cache.Of(cp932::FromUtf8("砂質シルト"), "").main, SoilClass::kSilt);
  EXPECT_EQ(cache.Of(cp932::FromUtf8("砂質シルト"), "").mixed, SoilClass::kSand);
}

TEST(LogSheet, DrawsAt1To100UnlessThatTakesMoreThanTwentyPages) {
  const struct {
    double depth;
    int denominator, pages;
  } cases[] = {
      {1, 100, 1},    {20, 100, 1},     {20.45, 100, 2},  {60, 100, 3},
      {400, 100, 20}, {400.5, 200, 11}, {3000, 1000, 15}, {9998, 5000, 10},
  };
  for (const auto& c : cases) {
    const sheet::Scale scale = sheet::ScaleFor(c.depth);
    EXPECT_EQ(scale.denominator, c.denominator) << c.depth;
    EXPECT_EQ(scale.PagesFor(c.depth), c.pages) << c.depth;
  }
}

// A record file with `drilled` as the header's drilled length, layers to `bottoms`, and the
// lines of the blocks after the layer block.
std::string Record(const std::string& drilled, const std::vector<std::string>& bottoms,
                   const std::vector<std::string>& rest) {
  std::string text = "TPJ Ge201\r\n";
  for (int line = 2; line <= 21; ++line) {
    text += (line == 20 ? drilled + " -1 -1" : std::string("@")) + "\r\n";
  }
  for (const std::string& bottom : bottoms) text += bottom + " 沖積粘性土 粘土 灰色 @ \r\n-1\r\n";
  text += "-1\r\n";
  for (const std::string& line : rest) text += line + "\r\n";
  return cp932::FromUtf8(text);
}

TEST(LogFacts, WhatCannotBeDrawnAsDataIsACautionAndIsNotDrawn) {
  const std::vector<std::string> no_blocks = {"-1", "-1", "-1", "-1"};
  const struct {
    const char* name;
    std::string record;
    double depth;
    std::vector<std::string> cautions;  // a word of each caution, in order
  } cases[] = {
      {"agreeing", Record("8.00", {"3.00", "8.00"}, no_blocks), 8, {}},
      {"stated shallower", Record("3.10", {"3.00", "8.00"}, no_blocks), 8, {"3.10"}},
      {"stated deeper", Record("10.00", {"8.00"}, no_blocks), 10, {"10.00", "10.00"}},
      {"stated beyond reason", Record("3e7", {"8.00"}, no_blocks), 8, {"3e7", "3e7"}},
      {"stated as no number", Record("x", {"8.00"}, no_blocks), 8, {"x"}},
      {"layer upwards", Record("-1", {"3.00", "2.00", "4.00"}, no_blocks), 4, {"2.00"}},
      {"layer as inf", Record("-1", {"3.00", "inf"}, no_blocks), 3, {"inf"}},
      {"water below the hole",
       Record("-1", {"3.00"}, {"-1", "-1", "-1", "1e9 10 06", "-1"}),
       3,
       {"1e9"}},
      {"test depth nan",
       Record("-1", {"3.00"}, {"1 nan 5 1 2 2 30 -1", "-1", "-1", "-1", "-1"}),
       3,
       {"nan"}},
      {"sample upside down",
       Record("-1", {"3.00"}, {"-1", "2.00 1.00 T-1 T", "-1", "-1", "-1"}),
       3,
       {"T-1"}},
      {"test past the hole",
       Record("-1", {"3.00"}, {"-1", "-1", "-1", "-1", "1300 1.00 4.00 PS検層 Vs"}),
       3,
       {"PS検層"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const BoringLog log = ReadBoringLog(c.record);
    LogFacts facts;
    Vet(log, facts);
    EXPECT_EQ(facts.depth, c.depth);
    ASSERT_EQ(facts.cautions.size(), c.cautions.size());
    for (std::size_t i = 0; i < c.cautions.size(); ++i) {
      EXPECT_NE(facts.cautions[i].find(c.cautions[i]), std::string::npos) << facts.cautions[i];
    }
    const auto drawn = [](const std::vector<bool>& flags) {
      return std::count(flags.begin(), flags.end(), true);
    };
    EXPECT_EQ(drawn(facts.water_drawn) + drawn(facts.penetration_drawn) +
                  drawn(facts.sample_drawn) + drawn(facts.test_drawn),
              0);
  }
}

TEST(LogFacts, DepthsAreWrittenToTheCentimetre) {
  EXPECT_EQ(Metres(0.4), "0.40");
  EXPECT_EQ(Metres(20.445), "20.45");
  EXPECT_EQ(Metres(-0.05), "-0.05");
  EXPECT_EQ(Metres(-0.004), "0.00");
  EXPECT_EQ(CentimetresText(Centimetres(42.15) - Centimetres(0.4)), "41.75");
}

}  // namespace
}  // namespace tavrimen::preview
