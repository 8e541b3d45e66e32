// In-situ tests other than the standard penetration test, each with its result as one text.
// A P-wave and an S-wave velocity over the same depths make one PS検層 entry.
#include <optional>
#include <string>

#include "source/xml_boring_reading.h"

namespace tavrimen::xml_boring {
namespace {

std::string Labelled(std::string_view label, const std::string& value, std::string_view unit) {
  return value.empty() ? "" : std::string(label) + "=" + value + std::string(unit);
}

void AddVelocity(const XmlElement& element, std::string_view label,
                 std::vector<XmlInSituTest>& tests) {
  const std::string prefix = element.name + "_";
  XmlInSituTest test{Number(element.ChildText(prefix + "上端深度")),
                     Number(element.ChildText(prefix + "下端深度")), "PS検層",
                     Labelled(label, Number(element.ChildText(prefix + "速度")), "m/s")};
  if (!HoldsText(element)) return;
  for (XmlInSituTest& logged : tests) {
    if (logged.name == test.name && logged.top == test.top && logged.bottom == test.bottom) {
      logged.result += (logged.result.empty() || test.result.empty() ? "" : " ") + test.result;
      return;
    }
  }
  tests.push_back(test);
}

// The other tests: their element, their name, and how the result is written.
std::optional<XmlInSituTest> ReadTest(const XmlElement& element) {
  const std::string prefix = element.name + "_";
  auto text = [&](std::string_view name) { return element.ChildText(prefix + std::string(name)); };
  XmlInSituTest test{Number(text("上端深度")), Number(text("下端深度")), "", ""};
  if (element.name == "ルジオン試験") {
    test.name = "ルジオン試験";
    test.result = Labelled("Lu", Number(text("ルジオン値")), "");
  } else if (element.name == "孔内水平載荷試験" || element.name == "孔内載荷試験") {
    test.top = test.bottom = Number(text("試験深度"));
    test.name = element.name;
    test.result = Labelled("Eb", Number(text("変形係数")), "");
  } else if (element.name == "透水試験") {
    test.name = "現場透水試験";
    test.result = Labelled("k", text("透水係数"), "m/s");
  } else if (element.name == "その他原位置試験") {
    test.name = TextOf(&element, {prefix + "試験名", prefix + "試験方法"});
    test.result = text("試験結果");
  } else {
    return std::nullopt;
  }
  if (!HoldsText(element)) return std::nullopt;
  return test;
}

}  // namespace

void ReadInSituTests(const XmlElement& core, XmlBoring& boring) {
  for (const XmlElement& element : core.children) {
    if (element.name == "P波試験") AddVelocity(element, "Vp", boring.in_situ_tests);
    if (element.name == "S波試験") AddVelocity(element, "Vs", boring.in_situ_tests);
    if (auto test = ReadTest(element)) boring.in_situ_tests.push_back(*std::move(test));
  }
}

}  // namespace tavrimen::xml_boring
