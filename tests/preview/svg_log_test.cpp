#include "preview/svg_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "preview/boring_log.h"
#include "support/temp_folder.h"
#include "support/xml_reader.h"

namespace tavrimen::preview {
namespace {

using testing::ParseXml;
using testing::XmlElement;

std::vector<std::string> Lines(const std::string& utf8) {
  std::vector<std::string> lines{""};
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t end = utf8.find("\r\n", at);
    lines.push_back(utf8.substr(at, end - at));
    at = end == std::string::npos ? utf8.size() : end + 2;
  }
  return lines;
}

std::string FirstField(const std::string& line) { return line.substr(0, line.find(' ')); }
std::string SecondField(const std::string& line) {
  const std::size_t blank = line.find(' ');
  return line.substr(blank + 1, line.find(' ', blank + 1) - blank - 1);
}

// What the record file says, read line by line as the blocks are laid out: the layers' bottom
// depths, the depths of the X5 lines and the N8 water levels that have a value.
struct Expected {
  std::vector<double> layer_bottoms, penetration_depths, water_depths;
};

Expected ExpectedOf(const std::vector<std::string>& lines) {
  Expected e;
  std::size_t i = 22;
  for (; lines[i] != "-1"; ++i) {  // a layer line, its notes, "-1"
    e.layer_bottoms.push_back(std::stod("0" + FirstField(lines[i])));
    while (lines[i] != "-1") ++i;
  }
  for (++i; lines[i] != "-1"; ++i)
    e.penetration_depths.push_back(std::stod("0" + SecondField(lines[i])));
  for (int block = 0; block < 2; ++block) {  // X6 and X11
    for (++i; lines[i] != "-1"; ++i) {
    }
  }
  for (++i; lines[i] != "-1"; ++i) {
    if (FirstField(lines[i]) != "9999") e.water_depths.push_back(std::stod(FirstField(lines[i])));
  }
  return e;
}

double Y(const XmlElement& svg, double depth) {
  return svg.Number("data-top-px") + depth * svg.Number("data-px-per-m");
}

// The elements of a kind drawn in the group of that class.
std::vector<const XmlElement*> InGroup(const XmlElement& svg, std::string_view group,
                                       std::string_view element) {
  const auto groups = svg.All("g", group);
  return groups.size() == 1 ? groups[0]->All(element) : std::vector<const XmlElement*>{};
}

// The y of each subpath "M<x> <y><rest>" in the paths of a group, each checked to go on as
// `rest`.
std::vector<double> SubpathYs(const XmlElement& svg, std::string_view group,
                              std::string_view rest) {
  std::vector<double> ys;
  for (const XmlElement* path : InGroup(svg, group, "path")) {
    const std::string& d = path->attributes.at("d");
    for (std::size_t at = d.find('M'); at != std::string::npos; at = d.find('M', at + 1)) {
      EXPECT_EQ(d.substr(d.find('h', at), rest.size()), rest);
      ys.push_back(std::stod(d.substr(d.find(' ', at) + 1)));
    }
  }
  return ys;
}

// The y of each water level triangle's tip: "M<left> <top>h16l-8 9z" ends 9 pixels below its
// top.
std::vector<double> TipYs(const XmlElement& svg) {
  std::vector<double> tips = SubpathYs(svg, "water-level", "h16l-8 9z");
  for (double& tip : tips) tip += 9;
  return tips;
}

// The y of each N-value point: a dot "M<x> <y>h0" in the group's path, or a ring.
std::vector<double> PointYs(const XmlElement& svg) {
  std::vector<double> ys = SubpathYs(svg, "n-value", "h0");
  for (const XmlElement* ring : InGroup(svg, "n-value", "circle")) ys.push_back(ring->Number("cy"));
  return ys;
}

// Every geology name and interval label other than "@" can be read: drawn in full as a text, or
// else the title of its band or bar.
void ExpectEveryNameReadable(const XmlElement& svg, const BoringLog& log) {
  std::vector<std::string> drawn;
  for (const XmlElement* text : svg.All("text")) drawn.push_back(text->text);
  auto expect = [&](std::string_view group, auto names) {
    const auto elements = InGroup(svg, group, "rect");
    ASSERT_EQ(elements.size(), names.size()) << group;
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (names[i] == "@") continue;
      const std::string name = cp932::ToUtf8(names[i]);
      const auto titles = elements[i]->All("title");
      const bool titled = titles.size() == 1 && titles[0]->text == name;
      EXPECT_TRUE(titled || std::find(drawn.begin(), drawn.end(), name) != drawn.end()) << name;
    }
  };
  std::vector<std::string_view> geology, samples, tests;
  for (const LogLayer& layer : log.layers) geology.push_back(layer.geology);
  for (const LogInterval& sample : log.samples) samples.push_back(sample.label);
  for (const LogInterval& test : log.tests) tests.push_back(test.label);
  expect("layer", geology);
  expect("sample", samples);
  expect("test", tests);
}

TEST(SvgLog, EachSampleBoringShowsEveryLayerTestAndWaterLevelAtItsDepth) {
  const std::filesystem::path expected = TAVRIMEN_SAMPLES_DIR;
  int borings = 0;
  for (const auto& entry : std::filesystem::directory_iterator(expected)) {
    SCOPED_TRACE(entry.path().string());
    const std::string bytes = testing::ReadFile(entry.path());
    const Expected e = ExpectedOf(Lines(cp932::ToUtf8(bytes)));
    const XmlElement svg = ParseXml(DrawBoringLog(ReadBoringLog(bytes)));
    ExpectEveryNameReadable(svg, ReadBoringLog(bytes));
    ++borings;

    const auto layers = InGroup(svg, "layer", "rect");
    ASSERT_EQ(layers.size(), e.layer_bottoms.size());
    double top = 0;
    for (std::size_t i = 0; i < layers.size(); ++i) {
      EXPECT_NEAR(layers[i]->Number("y"), Y(svg, top), 0.1);
      EXPECT_NEAR(layers[i]->Number("y") + layers[i]->Number("height"), Y(svg, e.layer_bottoms[i]),
                  0.2);
      top = e.layer_bottoms[i];
    }
    std::vector<double> points = PointYs(svg), depths = e.penetration_depths;
    std::sort(points.begin(), points.end());
    std::sort(depths.begin(), depths.end());
    ASSERT_EQ(points.size(), depths.size());
    for (std::size_t i = 0; i < points.size(); ++i) EXPECT_NEAR(points[i], Y(svg, depths[i]), 0.1);
    const std::vector<double> tips = TipYs(svg);
    ASSERT_EQ(tips.size(), e.water_depths.size());
    for (std::size_t i = 0; i < tips.size(); ++i) {
      EXPECT_NEAR(tips[i], Y(svg, e.water_depths[i]), 0.1);
    }
  }
  EXPECT_EQ(borings, 5);
}

// A record file of the given lines from line 22 on, with a header whose depth is `depth`.
std::string Record(const std::string& depth, const std::vector<std::string>& blocks) {
  std::vector<std::string> lines(22);
  lines[1] = "TPJ Ge201";
  lines[2] = "調査件名";
  lines[4] = "No.1";
  lines[20] = depth + " -1 -1";
  lines[21] = "10.00 -1 3 soilpat.asg";
  std::string text;
  for (std::size_t i = 1; i < lines.size(); ++i) text += lines[i] + "\r\n";
  for (const std::string& line : blocks) text += line + "\r\n";
  return cp932::FromUtf8(text);
}

struct Box {
  double left, top, right, bottom;
  std::string text;
};

// The box of each text below `element`, whose groups shift what they hold by "translate(x)".
void TextBoxes(const XmlElement& element, double shift, std::vector<Box>& boxes) {
  if (element.name == "text") {
    const double size = element.attributes.count("font-size") ? element.Number("font-size") : 11;
    const double x = shift + (element.attributes.count("x") ? element.Number("x") : 0);
    const double y = element.Number("y");
    boxes.push_back({x, y - size, x + TextWidth(element.text, size), y + 3, element.text});
    return;
  }
  const auto transform = element.attributes.find("transform");
  if (transform != element.attributes.end()) {
    EXPECT_EQ(transform->second.rfind("translate(", 0), 0u) << transform->second;
    shift += std::stod(transform->second.substr(10));
  }
  for (const XmlElement& child : element.children) TextBoxes(child, shift, boxes);
}

// No two texts share any point, and every text lies on the canvas.
void ExpectNoTextOverlaps(const XmlElement& svg) {
  std::vector<Box> boxes;
  TextBoxes(svg, 0, boxes);
  EXPECT_EQ(boxes.size(), svg.All("text").size());
  for (const Box& box : boxes) EXPECT_LE(box.right, svg.Number("width")) << box.text;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      const Box &a = boxes[i], &b = boxes[j];
      const bool apart =
          a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
      EXPECT_TRUE(apart) << a.text << " | " << b.text;
    }
  }
}

TEST(SvgLog, AKeptLogAndDrawerDrawEachBoringAsFreshOnesDo) {
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

TEST(SvgLog, UnusualBoringsDrawWithoutOverlapsOrErrors) {
  std::vector<std::string> deep;  // 150 m: thin layers with long notes, tests every metre
  for (int m = 1; m <= 150; ++m) {
    deep.push_back(std::to_string(m) + ".00 沖積粘性土 砂質シルト～粘土混じり砂礫 暗灰色 @ ");
    deep.push_back("[" + std::to_string(m - 1) + ".00]長い記事の一行目は列の幅を超えて続きます。" +
                   std::string(40, 'x'));
    deep.push_back("二行目");
    deep.push_back("-1");
  }
  deep.push_back("-1");
  for (int m = 1; m <= 150; ++m) {
    deep.push_back(std::to_string(m) + " " + std::to_string(m) + ".15 " +
                   std::to_string(40 + m % 40) + " 1 1 1 30 -1");
  }
  for (const char* end : {"-1", "1.00 1.80 T-1 T", "2.00 2.80 とても長い試料の名前 D", "-1",
                          "0.00 140.00 自然水位", "-1", "1.20 10 06", "9999 10 07", "-1"}) {
    deep.push_back(end);
  }
  const struct Case {
    const char* name;
    std::string record;
    std::size_t layers;
  } cases[] = {
      {"no X5 lines",
       Record("5.00", {"5.00 盛土 盛土砂 暗灰色 @ ", "-1", "-1", "-1", "-1", "-1", "-1"}), 1},
      {"one layer, no header depth",
       Record("", {"3.00 沖積砂質土 砂 黄褐色 @ ", "-1", "-1", "1 1.15 68 1 1 1 30 -1", "-1", "-1",
                   "-1", "-1"}),
       1},
      {"over 100 m", Record("150.00", deep), 150},
      {"all @",
       Record("@", {"2.00 @ @ @ @ ", "-1", "4.00 @ @ @ @ ", "@", "-1", "-1", "1 1.15 @ @ @ @ @ @",
                    "-1", "@ @ @ A", "-1", "@ @ @", "-1", "@ @ @", "-1"}),
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BoringLog log = ReadBoringLog(c.record);
    const XmlElement svg = ParseXml(DrawBoringLog(log));
    EXPECT_EQ(InGroup(svg, "layer", "rect").size(), c.layers);
    EXPECT_GT(svg.Number("height"), svg.Number("data-top-px"));
    ExpectNoTextOverlaps(svg);
    ExpectEveryNameReadable(svg, log);
  }
  // A value beyond the N axis is drawn at its edge and written beside it.
  const XmlElement one = ParseXml(DrawBoringLog(ReadBoringLog(cases[1].record)));
  bool written = false;
  for (const XmlElement* text : one.All("text")) written = written || text->text == "68";
  EXPECT_TRUE(written);
}

TEST(SvgLog, GeologyFillsFollowTheirKeywords) {
  EXPECT_EQ(FillOf("沖積砂質土"), "#ecd27a");
  EXPECT_EQ(FillOf("洪積礫質土"), "#d19a66");  // gravel before sand
  EXPECT_EQ(FillOf("@"), kNeutralFill);
  EXPECT_EQ(FillOf("不明な区分"), kNeutralFill);
}

}  // namespace
}  // namespace tavrimen::preview
