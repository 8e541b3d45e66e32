#include "source/xml_boring.h"

#include <algorithm>
#include <string>

#include "source/xml_boring_reading.h"

namespace tavrimen {
namespace {

using xml_boring::XmlElement;

// The records of the core that a boring's facts hold, under any version's name; the frames of
// the notes (観察記事枠線) and the tables that explain a classification's codes (…判定表) add no
// fact of their own.
bool IsHeld(std::string_view name) {
  constexpr std::string_view kHeld[] = {"工学的地質区分名現場土質名",
                                        "岩石土区分",
                                        "土質岩種区分",
                                        "地質区分",
                                        "色調",
                                        "観察記事",
                                        "観察記事枠線",
                                        "標準貫入試験",
                                        "相対密度稠度",
                                        "試料採取",
                                        "採取試料",
                                        "ルジオン試験",
                                        "孔内水平載荷試験",
                                        "孔内載荷試験",
                                        "透水試験",
                                        "P波試験",
                                        "S波試験",
                                        "その他原位置試験",
                                        "孔内水位",
                                        "掘削工程",
                                        "削孔工程"};
  return std::find(std::begin(kHeld), std::end(kHeld), name) != std::end(kHeld) ||
         name.ends_with("判定表");
}

// One sentence naming the records of the core, with data, that no fact of the boring holds.
void NoteRecordsNotHeld(const XmlElement& core, XmlBoring& boring) {
  std::vector<std::string_view> names;
  for (const XmlElement& element : core.children) {
    // Inside フリー情報, databases log their own conversions of the file (バージョン変換情報).
    const bool holds_text = element.name == "フリー情報"
                                ? !xml_boring::Trimmed(element.text).empty()
                                : xml_boring::HoldsText(element);
    if (IsHeld(element.name) || !holds_text) continue;
    if (std::find(names.begin(), names.end(), element.name) == names.end()) {
      names.push_back(element.name);
    }
  }
  if (names.empty()) return;
  std::string sentence = "柱状図の次の記録は書けません：";
  for (std::size_t i = 0; i < names.size(); ++i)
    sentence += (i ? "、" : "") + std::string(names[i]);
  boring.dropped.push_back(sentence + "。");
}

}  // namespace

XmlBoring ReadXmlBoring(const platform::XmlDocument& document) {
  const XmlElement& root = document.root;
  if (root.name != "ボーリング情報") {
    throw platform::XmlError(root.line,
                             "the root element is <" + root.name + ">, not <ボーリング情報>");
  }
  XmlBoring boring;
  boring.version = xml_boring::Trimmed(root.Attribute("DTD_version"));
  if (const XmlElement* title = root.Child("標題情報")) xml_boring::ReadTitle(*title, boring);
  if (const XmlElement* core = root.Child("コア情報")) {
    xml_boring::ReadColumns(*core, boring);
    xml_boring::ReadPenetrationTestsAndSamples(*core, boring);
    xml_boring::ReadInSituTests(*core, boring);
    NoteRecordsNotHeld(*core, boring);
  }
  return boring;
}

}  // namespace tavrimen
