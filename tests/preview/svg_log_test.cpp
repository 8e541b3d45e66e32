#include "preview/svg_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "preview/boring_log.h"
#include "preview/log_sheet.h"
#include "preview/text_fit.h"
#include "support/temp_folder.h"
#include "support/xml_reader.h"

namespace tavrimen::preview {
namespace {

using testing::ParseXml;
using testing::XmlElement;

bool HasClass(const XmlElement& element, std::string_view name) {
  const auto cls = element.attributes.find("class");
  if (cls == element.attributes.end()) return false;
  std::string_view classes = cls->second;
  while (!classes.empty()) {
    const std::size_t blank = classes.find(' ');
    if (classes.substr(0, blank) == name) return true;
    if (blank == std::string_view::npos) break;
    classes.remove_prefix(blank + 1);
  }
  return false;
}

// A text of a picture: its page (-1 for what every page uses), the group it is drawn in, all its
// lines put together, its first baseline and its box on the page.
struct Drawn {
  int page;
  std::string group;
  std::string text;
  double y;
  double left, top, right, bottom;
};

struct Picture {
  XmlElement svg;
  std::vector<Drawn> texts;
  std::vector<const XmlElement*> pages;

  // The texts of a group, and whether one of them holds `part`.
  std::vector<std::string> In(std::string_view group) const {
    std::vector<std::string> found;
    for (const Drawn& d : texts) {
      if (d.group == group) found.push_back(d.text);
    }
    return found;
  }
  bool Holds(std::string_view group, std::string_view part) const {
    for (const std::string& text : In(group)) {
      if (text.find(part) != std::string::npos) return true;
    }
    return false;
  }
  // Whether `part` is drawn in `group`, or written in the notes under the column's name.
  bool Shows(std::string_view group, std::string_view column, std::string_view part) const {
    if (Holds(group, part)) return true;
    for (const Drawn& d : texts) {
      if (d.group == "footer" && d.text.find(column) != std::string::npos &&
          d.text.find(part) != std::string::npos) {
        return true;
      }
    }
    return false;
  }
  // The page and the page's y of a depth.
  std::pair<int, double> At(double depth) const {
    const double per_page = sheet::kBodyHeight / svg.Number("data-mm-per-m");
    const int page = std::max(0, static_cast<int>(std::ceil(depth / per_page - 1e-9)) - 1);
    return {page, sheet::kBodyTop + (depth - page * per_page) * svg.Number("data-mm-per-m")};
  }
};

void Collect(const XmlElement& element, int page, const std::string& group, Picture& picture) {
  std::string in = group;
  if (element.name == "g" && element.attributes.count("class")) {
    const std::string& cls = element.attributes.at("class");
    if (cls != "page" && cls != "body") in = cls;
  }
  if (element.name != "text") {
    for (const XmlElement& child : element.children) Collect(child, page, in, picture);
    return;
  }
  const double size = element.attributes.count("font-size") ? element.Number("font-size")
                      : HasClass(element, "s")              ? 1.5
                                                            : 1.8;
  std::vector<const XmlElement*> lines;
  if (element.children.empty()) lines.push_back(&element);
  for (const XmlElement& tspan : element.children) lines.push_back(&tspan);
  Drawn drawn{page, in, "", lines[0]->Number("y"), 1e9, 1e9, -1e9, -1e9};
  for (const XmlElement* line : lines) {
    const double width = TextWidth(line->text, size);
    double left = line->Number("x");
    if (HasClass(element, "m")) left -= width / 2;
    if (HasClass(element, "e")) left -= width;
    const double y = line->Number("y");
    drawn.text += line->text;
    drawn.left = std::min(drawn.left, left);
    drawn.right = std::max(drawn.right, left + width);
    drawn.top = std::min(drawn.top, y - 0.88 * size);
    drawn.bottom = std::max(drawn.bottom, y + 0.12 * size);
  }
  picture.texts.push_back(std::move(drawn));
}

Picture Draw(const std::string& record) {
  Picture picture{ParseXml(DrawBoringLog(ReadBoringLog(record))), {}, {}};
  for (const XmlElement& child : picture.svg.children) {
    if (child.name == "defs") Collect(child, -1, "", picture);
    if (child.name == "g" && HasClass(child, "page")) {
      Collect(child, static_cast<int>(picture.pages.size()), "", picture);
      picture.pages.push_back(&child);
    }
  }
  return picture;
}

std::string Utf8(std::string_view bytes) { return cp932::ToUtf8(bytes); }
std::string_view Value(std::string_view text) {
  return text == "@" || text == "-1" || text == "9999" ? std::string_view() : text;
}

// Every text drawn in the body lies in the body and overlaps no other.
void ExpectBodyTextsApart(const Picture& picture) {
  for (std::size_t page = 0; page < picture.pages.size(); ++page) {
    std::vector<const Drawn*> body;
    for (const Drawn& d : picture.texts) {
      const bool in_body = d.group.starts_with("col-") || d.group == "boundaries";
      if (d.page == static_cast<int>(page) && in_body) body.push_back(&d);
    }
    for (const Drawn* d : body) {
      EXPECT_GE(d->left, sheet::kLeft - 1e-6) << d->text;
      EXPECT_LE(d->right, sheet::kRight + 1e-6) << d->text;
      EXPECT_GE(d->top, sheet::kBodyTop - 0.5) << d->text;
      EXPECT_LE(d->bottom, sheet::kBodyBottom + 0.5) << d->text;
    }
    for (std::size_t i = 0; i < body.size(); ++i) {
      for (std::size_t j = i + 1; j < body.size(); ++j) {
        const Drawn &a = *body[i], &b = *body[j];
        const bool apart = a.right <= b.left + 1e-6 || b.right <= a.left + 1e-6 ||
                           a.bottom <= b.top + 1e-6 || b.bottom <= a.top + 1e-6;
        EXPECT_TRUE(apart) << a.text << " | " << b.text << " on page " << page + 1;
      }
    }
  }
}

// No mark for no value is drawn as a value.
void ExpectNoMarkDrawn(const Picture& picture) {
  for (const Drawn& d : picture.texts) {
    EXPECT_EQ(d.text.find('@'), std::string::npos) << d.text;
    for (const char* mark : {"-1", "999", "9999"}) EXPECT_NE(d.text, mark);
  }
}

TEST(SvgLog, AMarkForNoValueIsDrawnAsAnEmptyField) {
  std::string record = "TPJ Ge201\r\n";
  const char* header[] = {"@",        "@",
                          "@",        "@",
                          "@",        "@",
                          "-1 -1 -1", "-1 -1 -1",
                          "@",        "西暦 -1 -1 -1 -1 -1 -1",
                          "@",        "999",
                          "@ @ @ @",  "-1-1 -1 -1 -1",
                          "@",        "-1",
                          "@",        "@",
                          "-1 -1 -1", "10.00 -1 3 soilpat.asg"};
  for (const char* line : header) record += std::string(line) + "\r\n";
  for (const char* line :
       {"2.00 @ @ @ @ ", "-1", "4.00 盛土 @ @ @ ", "-1", "-1", "1 1.15 @ -1 -1 -1 -1 -1", "-1",
        "1.00 2.00 @ A", "-1", "0.00 3.00 @", "-1", "9999 -1 -1", "-1", "1100 b_no ",
        "1200 9999 -1 -1", "1300 1.00 2.00 @ @", "1400 @"}) {
    record += std::string(line) + "\r\n";
  }
  const Picture picture = Draw(cp932::FromUtf8(record));
  ExpectNoMarkDrawn(picture);
  EXPECT_TRUE(picture.Holds("col-class", "盛土"));
}

// A record file of a boring `depth` metres deep in layers of `step` metres, with `drilled` as
// the stated depth and the lines of the blocks after the layer block.
std::string Deep(double depth, double step, const std::string& drilled,
                 const std::vector<std::string>& rest) {
  std::string text = "TPJ Ge201\r\n調査件名\r\n@\r\nNo.9\r\n";
  for (int line = 5; line <= 21; ++line) {
    text += (line == 20 ? drilled + " -1 -1" : std::string("@")) + "\r\n";
  }
  char bottom[32];
  for (double d = step; d <= depth + 1e-9; d += step) {
    std::snprintf(bottom, sizeof bottom, "%.2f", d);
    text +=
        std::string(bottom) + " 洪積砂質土 砂 灰色 密な \r\n[" + bottom + "]締まった砂。\r\n-1\r\n";
  }
  text += "-1\r\n";
  for (const std::string& line : rest) text += line + "\r\n";
  return cp932::FromUtf8(text);
}

TEST(SvgLog, WhatNoColumnShowsGoesToTheNotesAndNoFigureIsMadeUp) {
  const std::vector<std::string> blocks = {"1 1.15 2147483647 2147483647 2147483647 1 30 末尾",
                                           "-1",
                                           "-1",
                                           "-1",
                                           "-1",
                                           "1100 b_no 南棟-3",
                                           "1100 s_no @",
                                           "9999 どの欄でもない行"};
  const Picture picture = Draw(Deep(5, 5, "5.00", blocks));
  EXPECT_TRUE(picture.Holds("title", "南棟-3"));
  EXPECT_TRUE(picture.Shows("", "標準貫入試験", "末尾"));
  EXPECT_TRUE(picture.Shows("", "その他の行", "9999 どの欄でもない行"));
  for (const std::string& text : picture.In("col-spt")) {
    EXPECT_EQ(text.find('/'), std::string::npos) << text;  // no total of blows past any count
  }
}

TEST(SvgLog, TheSampleBoringsShowEveryTextOfTheirRecordFilesWhereItBelongs) {
  int borings = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TAVRIMEN_SAMPLES_DIR)) {
    SCOPED_TRACE(entry.path().string());
    ++borings;
    const std::string bytes = testing::ReadFile(entry.path());
    const BoringLog log = ReadBoringLog(bytes);
    const Picture picture = Draw(bytes);
    EXPECT_TRUE(picture.Holds("title", Utf8(Value(log.header[4]))));
    for (const LogLayer& layer : log.layers) {
      for (const auto& [text, group, column] :
           {std::tuple(layer.geology, "col-class", "土質区分"),
            std::tuple(layer.soil, "col-class", "土質区分"),
            std::tuple(layer.colour, "col-colour", "色調"),
            std::tuple(layer.density, "col-density", "相対密度")}) {
        if (!Value(text).empty()) {
          EXPECT_TRUE(picture.Shows(group, column, Utf8(text))) << Utf8(text);
        }
      }
      for (const std::string_view note : log.NotesOf(layer)) {
        EXPECT_TRUE(picture.Shows("col-notes", "記事", Utf8(note))) << Utf8(note);
      }
    }
    for (const LogInterval& test : log.tests) {
      EXPECT_TRUE(picture.Shows("col-test", "原位置試験", Utf8(test.name))) << Utf8(test.name);
      if (!Value(test.result).empty()) {
        EXPECT_TRUE(picture.Shows("col-test", "原位置試験", Utf8(test.result)));
      }
    }
    for (const LogInterval& condition : log.conditions) {
      EXPECT_FALSE(picture.Holds("col-test", Utf8(condition.name))) << Utf8(condition.name);
      EXPECT_TRUE(picture.Shows("col-condition", "孔内状況", Utf8(condition.name)));
    }
    for (const LogSample& sample : log.samples) {
      EXPECT_TRUE(picture.Shows("col-sample", "試料採取", Utf8(sample.sampler)));
    }
    for (const auto& [dated, group, column] :
         {std::tuple(&log.water_levels, "col-water", "孔内水位"),
          std::tuple(&log.progress, "col-progress", "掘進月日")}) {
      for (const LogDated& d : *dated) {
        EXPECT_TRUE(picture.Shows(group, column, Utf8(d.month) + "/" + Utf8(d.day)));
      }
    }
    ExpectNoMarkDrawn(picture);
    ExpectBodyTextsApart(picture);
  }
  EXPECT_EQ(borings, 5);
}

TEST(SvgLog, LayersBoundariesTestsAndIntervalsAreDrawnAtTheirDepths) {
  const std::string bytes =
      testing::ReadFile(std::filesystem::path(TAVRIMEN_SAMPLES_DIR) / "B-201");
  const BoringLog log = ReadBoringLog(bytes);
  const Picture picture = Draw(bytes);
  EXPECT_EQ(picture.svg.Number("data-scale"), 100);
  EXPECT_EQ(picture.svg.Number("data-mm-per-m"), 10);
  ASSERT_EQ(picture.svg.Number("data-body-pages"), 2);  // 20.45 m
  // Each layer's symbol from its top to its bottom, and its depth, thickness and elevation from
  // the hole's elevation of 42.15 m, to the centimetre, just above or below its boundary.
  std::vector<const XmlElement*> symbols;
  for (const XmlElement* page : picture.pages) {
    for (const XmlElement* rect : page->All("rect", "layer")) symbols.push_back(rect);
  }
  double top = 0;
  std::size_t rect = 0;
  for (const LogLayer& layer : log.layers) {
    const double bottom = *layer.bottom.value;
    double height = 0;
    for (int part = 0; part < (bottom > 20 && top < 20 ? 2 : 1); ++part) {
      ASSERT_LT(rect, symbols.size());
      if (part == 0) {
        EXPECT_NEAR(symbols[rect]->Number("y"), picture.At(top).second, 0.01);
      }
      height += symbols[rect++]->Number("height");
    }
    EXPECT_NEAR(height, (bottom - top) * 10, 0.01);
    const auto [page, y] = picture.At(bottom);
    char figures[3][16];
    std::snprintf(figures[0], 16, "%.2f", bottom);
    std::snprintf(figures[1], 16, "%.2f", bottom - top);
    std::snprintf(figures[2], 16, "%.2f", 42.15 - bottom);
    for (const char* figure : figures) {
      bool near = false;
      for (const Drawn& d : picture.texts) {
        near = near || (d.group == "boundaries" && d.page == page && d.text == figure &&
                        std::abs(d.y - y) < 3);
      }
      EXPECT_TRUE(near) << figure << " at " << bottom;
    }
    top = bottom;
  }
  EXPECT_EQ(rect, symbols.size());
  // The N value and the blows of each test as numbers on its row.
  for (const LogPenetration& test : log.penetrations) {
    const auto [page, y] = picture.At(*test.depth.value);
    for (const std::size_t field : {record::x5::kNValue, record::x5::kBlows1}) {
      bool drawn = false;
      for (const Drawn& d : picture.texts) {
        drawn = drawn || (d.group == "col-spt" && d.page == page && d.text == test.fields[field] &&
                          d.y > y && d.y < y + 3);
      }
      EXPECT_TRUE(drawn) << test.fields[field] << " at " << *test.depth.value;
    }
  }
  // Each sample and in-situ test a bar from its top to its bottom.
  for (const auto& [kind, tops, bottoms] :
       {std::tuple("sample", std::vector<double>{2, 3, 11, 12, 19},
                   std::vector<double>{2.8, 3.8, 11.9, 12.6, 20}),
        std::tuple("test", std::vector<double>{6, 12, 12, 0, 0},
                   std::vector<double>{6.5, 13, 13, 20, 20})}) {
    std::vector<std::pair<double, double>> bars, expected;
    for (const XmlElement* bar : picture.pages[0]->All("rect", kind)) {
      bars.emplace_back(bar->Number("y"), bar->Number("height"));
    }
    for (std::size_t i = 0; i < tops.size(); ++i) {
      expected.emplace_back(picture.At(tops[i]).second, (bottoms[i] - tops[i]) * 10);
    }
    std::sort(bars.begin(), bars.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(bars.size(), expected.size()) << kind;
    for (std::size_t i = 0; i < bars.size(); ++i) {
      EXPECT_NEAR(bars[i].first, expected[i].first, 0.01) << kind;
      EXPECT_NEAR(bars[i].second, expected[i].second, 0.01) << kind;
    }
  }
  EXPECT_EQ(picture.pages[0]->All("path", "water-level").size(), log.water_levels.size());
}

TEST(SvgLog, ADeepBoringGoesOnOverPagesAtTheLargestScaleThatFitsTwenty) {
  const std::vector<std::string> blocks = {"-1", "-1", "-1", "1.50 10 06", "-1"};
  const struct {
    double depth;
    int scale, pages;
  } cases[] = {{60, 100, 3}, {500, 200, 13}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.depth);
    const Picture picture = Draw(Deep(c.depth, 2.5, "-1", blocks));
    EXPECT_EQ(picture.svg.Number("data-scale"), c.scale);
    ASSERT_EQ(picture.svg.Number("data-body-pages"), c.pages);
    EXPECT_EQ(picture.svg.attributes.at("width"), "210mm");
    EXPECT_EQ(picture.svg.Number("data-pages") * 297,
              std::stod(picture.svg.attributes.at("height")));
    for (int page = 0; page < c.pages; ++page) {
      const XmlElement& g = *picture.pages[static_cast<std::size_t>(page)];
      EXPECT_EQ(g.Number("data-top-m"), page * 2.0 * c.scale / 10);
      EXPECT_EQ(g.attributes.at("transform"), "translate(0 " + std::to_string(297 * page) + ")");
      // Every page has the title block and says which page of how many it is.
      ASSERT_EQ(g.All("use").size(), 2u);
      EXPECT_EQ(g.All("use")[0]->attributes.at("href"), "#title");
    }
    EXPECT_TRUE(picture.Holds("title", "No.9"));
    ExpectBodyTextsApart(picture);
  }
}

// `record` with the layer line that starts with `bottom` starting with `replaced` instead.
std::string LayerAt(const std::string& bottom, const std::string& replaced, std::string record) {
  const std::size_t at = record.find("\r\n" + bottom + " ");
  return record.replace(at + 2, bottom.size(), replaced);
}

TEST(SvgLog, ValuesThatCannotBeDrawnGiveABoundedPictureAndACaution) {
  const std::vector<std::string> none = {"-1", "-1", "-1", "-1"};
  const struct {
    const char* name;
    std::string record;
    const char* caution;
  } cases[] = {
      {"drilled 3e7", Deep(20, 5, "3e7", none), "3e7"},
      {"water at 1e9", Deep(20, 5, "20.00", {"-1", "-1", "-1", "1e9 10 06", "-1"}), "1e9"},
      {"test at inf", Deep(20, 5, "20.00", {"1 inf 5 1 2 2 30 -1", "-1", "-1", "-1", "-1"}), "inf"},
      {"layer at nan", LayerAt("10.00", "nan", Deep(20, 5, "20.00", none)), "nan"},
      {"interval to nan", Deep(20, 5, "20.00", {"-1", "-1", "0.00 nan 逸水", "-1", "-1"}), "nan"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string svg = DrawBoringLog(ReadBoringLog(c.record));
    EXPECT_LT(svg.size(), 200000u);
    EXPECT_EQ(svg.find("nan\""), std::string::npos);
    EXPECT_EQ(svg.find("inf\""), std::string::npos);
    const Picture picture = Draw(c.record);
    EXPECT_EQ(picture.svg.Number("data-pages"), 1);
    bool said = std::string_view(c.caution).empty();
    for (const Drawn& d : picture.texts) {
      said = said || (d.group == "footer" && d.text.find("注意") == std::string::npos &&
                      d.text.find(c.caution) != std::string::npos);
    }
    EXPECT_TRUE(said);
  }
}

TEST(SvgLog, TheStyleDefinesTheClassesOfEveryTextAndPrintsOnA4) {
  const Picture picture =
      Draw(testing::ReadFile(std::filesystem::path(TAVRIMEN_SAMPLES_DIR) / "B-201"));
  const auto styles = picture.svg.All("style");
  ASSERT_EQ(styles.size(), 1u);
  const std::string& style = styles[0]->text;
  EXPECT_NE(style.find("@page { size: A4 portrait; margin: 0 }"), std::string::npos);
  std::vector<const XmlElement*> texts = picture.svg.All("text");
  for (const XmlElement* text : texts) {
    if (!text->attributes.count("class")) continue;
    std::string_view classes = text->attributes.at("class");
    while (!classes.empty()) {
      const std::size_t blank = classes.find(' ');
      const std::string name(classes.substr(0, blank));
      EXPECT_NE(style.find("." + name + " "), std::string::npos) << name;
      if (blank == std::string_view::npos) break;
      classes.remove_prefix(blank + 1);
    }
  }
}

TEST(SvgLog, AKeptDrawerDrawsEachBoringAsAFreshOneDoes) {
  // As a batch keeps them from one picture to the next: nothing of a boring may show in the
  // next, down to a record file cut short in its header.
  BoringLog log;
  LogDrawer drawer;
  for (const auto& entry : std::filesystem::directory_iterator(TAVRIMEN_SAMPLES_DIR)) {
    const std::string bytes = testing::ReadFile(entry.path());
    for (const std::string_view record :
         {std::string_view(bytes), std::string_view(bytes).substr(0, 60)}) {
      ReadBoringLog(record, log);
      EXPECT_EQ(drawer.Draw(log), DrawBoringLog(ReadBoringLog(record)))
          << entry.path() << " " << record.size();
    }
  }
}

}  // namespace
}  // namespace tavrimen::preview
