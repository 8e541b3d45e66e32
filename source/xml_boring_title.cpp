// The title block (標題情報). Where versions name a fact differently, every name is tried, so a
// file that mixes the names of two versions is read too.
#include <array>
#include <string>

#include "source/xml_boring_reading.h"

namespace tavrimen::xml_boring {
namespace {

// 測地系: 0 the Tokyo datum, 1 JGD2000, 2 JGD2011 ("1", "01" and "2" as the versions write them).
void CheckDatum(const std::string& code, std::vector<std::string>& dropped) {
  if (code.empty()) return;
  const int value = CodeValue(code);
  if (value == 0) {
    dropped.push_back("測地系が日本測地系です。緯度経度はそのまま書きます。");
  } else if (value != 1 && value != 2) {
    dropped.push_back("測地系のコード「" + code + "」がわかりません。緯度経度はそのまま書きます。");
  }
}

std::array<std::string, 3> Angle(const XmlElement* place, std::string_view axis) {
  const std::string name(axis);
  return {Number(TextOf(place, {name + "_度"})), Number(TextOf(place, {name + "_分"})),
          Number(TextOf(place, {name + "_秒"}))};
}

}  // namespace

void ReadTitle(const XmlElement& title, XmlBoring& boring) {
  const XmlElement* survey = title.Child("調査基本情報");
  boring.project = TextOf(survey, {"調査名"});
  boring.boring_name = TextOf(survey, {kXmlBoringNameElement});
  boring.work = TextOf(survey, {"事業工事名"});
  boring.address = TextOf(title.Child("調査位置"), {"調査位置住所"});

  const XmlElement* place = title.Child("経度緯度情報");
  boring.latitude = Angle(place, "緯度");
  boring.longitude = Angle(place, "経度");
  CheckDatum(TextOf(place, {"測地系"}), boring.dropped);

  boring.client = TextOf(title.Child("発注機関"), {"発注機関名称"});
  const XmlElement* period = title.Child("調査期間");
  boring.start = DateOf(period, "調査期間_開始", "調査期間の開始日", boring.dropped);
  boring.end = DateOf(period, "調査期間_終了", "調査期間の終了日", boring.dropped);

  const XmlElement* company = title.Child("調査会社");
  boring.company = TextOf(company, {"調査会社_名称"});
  const char* roles[] = {"主任技師", "現場代理人", "コア鑑定者", "ボーリング責任者"};
  for (std::size_t i = 0; i < boring.engineers.size(); ++i) {
    const std::string role = std::string("調査会社_") + roles[i];
    boring.engineers[i] = TextOf(company, {role + "_氏名", role});
  }

  const XmlElement* basics = title.Child("ボーリング基本情報");
  boring.elevation = Number(TextOf(basics, {"孔口標高"}));
  boring.drilled_length = Number(TextOf(basics, {"総削孔長", "総掘進長"}));
  boring.angle = Number(TextOf(basics, {"角度", "掘進角度"}));
  boring.direction = Number(TextOf(basics, {"方位", "掘進方向", "掘進方位"}));
  boring.slope = Number(TextOf(basics, {"地盤勾配"}));

  // No version defines the names of the method's codes, so the code stays as the file gives it.
  const XmlElement* machine = title.Child("試錐機");
  boring.machine_name = TextOf(machine, {"試錐機_名称"});
  boring.machine_capacity = Number(TextOf(machine, {"試錐機_能力"}));
  boring.machine_method = TextOf(machine, {"試錐機_方法"});
  if (CodeValue(boring.machine_method) >= 0) {
    boring.dropped.push_back("試錐機の方法は名前がわからないため、コード「" +
                             boring.machine_method + "」のまま書きます。");
  }
}

}  // namespace tavrimen::xml_boring
