// Standard penetration tests (標準貫入試験) and samples (試料採取; 採取試料 in version 1).
#include <algorithm>
#include <string>
#include <utility>

#include "source/xml_boring_reading.h"

namespace tavrimen::xml_boring {
namespace {

// The 10 cm steps: version 4 names them in millimetres and writes millimetres, the others
// centimetres; the totals follow the version.
constexpr std::string_view kStepsInCentimetres[] = {"0_10", "10_20", "20_30"};
constexpr std::string_view kStepsInMillimetres[] = {"0_100", "100_200", "200_300"};

bool IsZero(const std::string& number) {
  return !number.empty() && number.find_first_not_of("0.") == std::string::npos;
}

bool IsPositive(const std::string& number) {
  return !number.empty() && number[0] != '-' &&
         number.find_first_of("123456789") != std::string::npos;
}

// 自沈 is written as no blow over a penetration ("00" or "0" blows).
bool SankUnderOwnWeight(const XmlPenetrationTest& test) {
  bool no_blows = IsZero(test.total_blows);
  bool penetrated = IsPositive(test.total_penetration);
  if (test.total_blows.empty()) {
    no_blows = false;
    for (std::size_t i = 0; i < 3; ++i) {
      if (test.blows[i].empty()) continue;
      if (!IsZero(test.blows[i])) return false;
      no_blows = true;
    }
  }
  for (const std::string& step : test.penetration) penetrated = penetrated || IsPositive(step);
  return no_blows && (penetrated || test.remark.find("自沈") != std::string::npos);
}

void ReadPenetrationTest(const XmlElement& element, const std::string& version, XmlBoring& boring) {
  const std::string prefix = "標準貫入試験_";
  const bool named_in_millimetres =
      std::any_of(element.children.begin(), element.children.end(), [&](const XmlElement& child) {
        return child.name.starts_with(prefix + "0_100") ||
               child.name.starts_with(prefix + "100_200") ||
               child.name.starts_with(prefix + "200_300");
      });
  const bool in_millimetres = named_in_millimetres || version.starts_with("4");
  auto length = [&](const std::string& text) {
    return in_millimetres ? CentimetresOf(text) : Number(text);
  };
  XmlPenetrationTest test;
  test.depth = Number(element.ChildText(prefix + "開始深度"));
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string step(named_in_millimetres ? kStepsInMillimetres[i] : kStepsInCentimetres[i]);
    test.blows[i] = Number(element.ChildText(prefix + step + "打撃回数"));
    test.penetration[i] = length(element.ChildText(prefix + step + "貫入量"));
  }
  test.total_blows = Number(element.ChildText(prefix + "合計打撃回数"));
  test.total_penetration = length(element.ChildText(prefix + "合計貫入量"));
  test.remark = element.ChildText(prefix + "備考");
  test.self_sinking = SankUnderOwnWeight(test);
  if (HoldsText(element)) boring.penetration_tests.push_back(test);
}

// The sampling methods' codes as the files use them: 100 with the samples of the penetration
// tests, 200 with thin-walled tube samples of soft clay, 400 with the tube samples of sand.
// No version's DTD lists them; 300 follows the order of the samplers' standards.
constexpr std::pair<std::string_view, std::string_view> kSamplingMethods[] = {
    {"100", "標準貫入試験"},
    {"200", "固定ピストン式シンウォールサンプラー"},
    {"300", "ロータリー式二重管サンプラー"},
    {"400", "ロータリー式三重管サンプラー"},
};

char KindOf(std::string_view method) {
  auto has = [&](std::string_view word) { return method.find(word) != std::string_view::npos; };
  if (has("シンウォール") || has("ピストン")) return 'T';
  if (has("デニソン") || has("トリプル") || has("ダブル") || has("二重管") || has("三重管")) {
    return 'D';
  }
  if (has("凍結")) return 'F';
  return 'A';
}

// Test names, one element each or several in one text parted by commas.
void AddTestNames(const std::string& text, std::vector<std::string>& tests) {
  std::string rest = text;
  for (std::string_view comma : {"，", "、"}) {
    for (std::size_t at = rest.find(comma); at != std::string::npos; at = rest.find(comma)) {
      rest.replace(at, comma.size(), ",");
    }
  }
  for (std::size_t start = 0; start <= rest.size();) {
    const std::size_t end = std::min(rest.find(',', start), rest.size());
    std::string name = Trimmed(std::string_view(rest).substr(start, end - start));
    if (!name.empty()) tests.push_back(std::move(name));
    start = end + 1;
  }
}

void ReadSample(const XmlElement& element, XmlBoring& boring) {
  const std::string prefix = element.name + "_";
  XmlSample sample;
  sample.number = element.ChildText(prefix + "試料番号");
  sample.top = Number(element.ChildText(prefix + "上端深度"));
  sample.bottom = Number(element.ChildText(prefix + "下端深度"));
  sample.method = element.ChildText(prefix + "採取方法");
  const std::string code = element.ChildText(prefix + "採取方法コード");
  if (sample.method.empty() && !code.empty()) {
    for (const auto& [known, name] : kSamplingMethods) {
      if (code == known) sample.method = name;
    }
    if (sample.method.empty()) {
      Drop(boring.dropped, "試料の採取方法コード「" + code + "」がわかりません。");
    }
  }
  sample.kind = KindOf(sample.method);
  for (const XmlElement* test : element.Children(prefix + "試験名")) {
    AddTestNames(test->text, sample.tests);
  }
  if (HoldsText(element)) boring.samples.push_back(sample);
}

}  // namespace

void ReadPenetrationTestsAndSamples(const XmlElement& core, XmlBoring& boring) {
  for (const XmlElement& element : core.children) {
    if (element.name == "標準貫入試験") ReadPenetrationTest(element, boring.version, boring);
    if (element.name == "試料採取" || element.name == "採取試料") ReadSample(element, boring);
  }
}

}  // namespace tavrimen::xml_boring
