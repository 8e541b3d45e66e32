#include "bench/xml_boring_generator.h"

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "bench/data_set_generator.h"

namespace tavrimen::bench {
namespace {

// An XML document as the real files indent it: tabs, CR LF.
class XmlWriter {
 public:
  void Open(std::string_view name, std::string_view attributes = "") {
    Indent();
    text_ += "<" + std::string(name) + std::string(attributes) + ">\r\n";
    ++depth_;
  }
  void Close(std::string_view name) {
    --depth_;
    Indent();
    text_ += "</" + std::string(name) + ">\r\n";
  }
  void Element(std::string_view name, std::string_view content) {
    Indent();
    text_ += "<" + std::string(name) + ">";
    for (const char c : content) {
      text_ += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    }
    text_ += "</" + std::string(name) + ">\r\n";
  }
  // A group of elements that hold text only, in order.
  void Section(std::string_view name,
               std::initializer_list<std::pair<std::string_view, std::string_view>> elements) {
    Open(name);
    for (const auto& [element, content] : elements) Element(element, content);
    Close(name);
  }
  void Raw(std::string_view line) { text_ += std::string(line) + "\r\n"; }
  std::string& text() { return text_; }

 private:
  void Indent() { text_.append(static_cast<std::size_t>(depth_), '\t'); }
  std::string text_;
  int depth_ = 0;
};

std::string Depth(int centimetres) {
  return std::to_string(centimetres / 100) + "." + (centimetres % 100 < 10 ? "0" : "") +
         std::to_string(centimetres % 100);
}

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

void WriteTitle(XmlWriter& xml, std::string_view boring_name) {
  xml.Open("基礎情報");
  xml.Element("適用規格", "JIS A 0205-2012");
  xml.Element("適用規格", "JIS A 0206-2013");
  xml.Section("公開フラグ", {{"公開フラグ_コード", "1"}, {"公開フラグ_備考", ""}});
  xml.Close("基礎情報");
  xml.Open("標題情報");
  xml.Section("調査基本情報", {{"事業工事名", "道路"},
                               {"調査名", "一般国道バイパス建設に伴う地質調査業務"},
                               {"調査目的", "01"},
                               {"調査対象", "01"},
                               {"ボーリング名", boring_name},
                               {"ボーリング総数", "3"},
                               {"ボーリング連番", "1"}});
  xml.Section("経度緯度情報", {{"経度_度", "139"},
                               {"経度_分", "20"},
                               {"経度_秒", "45.0000"},
                               {"緯度_度", "35"},
                               {"緯度_分", "33"},
                               {"緯度_秒", "20.0000"},
                               {"取得方法コード", "01"},
                               {"読取精度コード", "4"},
                               {"測地系", "2"}});
  xml.Section("調査位置", {{"調査位置住所", "神奈川県相模原市中央区"},
                           {"コード1次", "5339"},
                           {"コード2次", "43"},
                           {"コード3次", "57"}});
  xml.Section("発注機関", {{"発注機関名称", "関東地方整備局"}, {"テクリスコード", "10100000"}});
  xml.Section("調査期間",
              {{"調査期間_開始年月日", "2025-10-06"}, {"調査期間_終了年月日", "2025-10-17"}});
  xml.Open("調査会社");
  xml.Element("調査会社_名称", "株式会社相模地盤技術");
  xml.Element("調査会社_TEL", "042-000-0000");
  const std::pair<const char*, const char*> engineers[] = {{"主任技師", "森本浩二"},
                                                           {"現場代理人", "石田航"},
                                                           {"コア鑑定者", "上野真理子"},
                                                           {"ボーリング責任者", "石田航"}};
  for (const auto& [role, name] : engineers) {
    xml.Element(std::string("調査会社_") + role + "_氏名", name);
    xml.Element(std::string("調査会社_") + role + "_地質調査技士登録番号", "17964");
  }
  xml.Close("調査会社");
  xml.Section("ボーリング基本情報", {{"孔口標高", "42.15"},
                                     {"総削孔長", "30.00"},
                                     {"柱状図様式", "12"},
                                     {"角度", "90.00"},
                                     {"方位", "0.00"},
                                     {"地盤勾配", "0.00"}});
  xml.Section("試錐機", {{"試錐機_名称", "YBM-05DA"}, {"試錐機_能力", "86"}, {"試錐機_方法", "3"}});
  for (const std::string part : {"エンジン", "ポンプ"}) {
    xml.Section(part, {{part + "_名称", "－"}, {part + "_能力", ""}, {part + "_単位", ""}});
  }
  xml.Section("櫓種類", {{"櫓種類コード", "3"}});
  xml.Close("標題情報");
}

constexpr int kLayers = 30;
constexpr int kTests = 30;
constexpr int kSamples = 12;
constexpr int kInSituTestDepths = 12;
constexpr int kReadings = 52;

// The pattern data's KISHITU names, for the codes the data set's layers use.
std::string GeologyName(int layer) {
  static const std::vector<std::string> names = {
      "盛土",       "表土",       "沖積粘性土", "沖積砂質土", "沖積礫質土", "洪積粘性土",
      "洪積砂質土", "洪積礫質土", "風化岩",     "軟岩",       "硬岩"};
  const int code = 10 + (layer % 8) * 10;
  return names[static_cast<std::size_t>(code) % names.size()] + std::to_string(code);
}

void WriteLayers(XmlWriter& xml) {
  for (int i = 1; i <= kLayers; ++i) {
    const std::string prefix = "工学的地質区分名現場土質名_";
    xml.Open("工学的地質区分名現場土質名");
    xml.Element(prefix + "下端深度", Depth(i * 100));
    xml.Element(prefix + "工学的地質区分名現場土質名", GeologyName(i));
    xml.Element(prefix + "工学的地質区分名現場土質名記号", "S");
    xml.Open(prefix + "岩石群");
    xml.Element(prefix + "岩石群コード", "1");
    xml.Open(prefix + "岩石土コード");
    xml.Element(prefix + "岩相", std::to_string(599200001 + i % 3));
    xml.Element(prefix + "岩石", "");
    xml.Element(prefix + "変成岩岩相", "");
    xml.Element(prefix + "変成岩岩石", "");
    xml.Close(prefix + "岩石土コード");
    xml.Close(prefix + "岩石群");
    xml.Close("工学的地質区分名現場土質名");
  }
  for (int i = 1; i <= kLayers; ++i) {
    xml.Section("色調", {{"色調_下端深度", Depth(i * 100)}, {"色調_色調名", "灰色"}});
  }
  for (int i = 1; i <= kLayers; ++i) {
    xml.Section("観察記事", {{"観察記事_上端深度", Depth((i - 1) * 100 + 10)},
                             {"観察記事_下端深度", Depth(i * 100)},
                             {"観察記事_記事", Note(i, 60, 2, "\\n")}});
  }
  for (int i = 1; i <= kLayers; ++i) {
    xml.Section("観察記事枠線", {{"観察記事枠線_下端深度", Depth(i * 100)}});
  }
}

// As the data set's X5 records: N = min(50, 2 + 3 m) over 30 cm in three steps, at m.15 m.
void WritePenetrationTests(XmlWriter& xml) {
  for (int m = 1; m <= kTests; ++m) {
    const int n = std::min(50, 2 + m * 3);
    const std::string prefix = "標準貫入試験_";
    xml.Open("標準貫入試験");
    xml.Element(prefix + "開始深度", Depth(m * 100 + 15));
    const int blows[] = {n / 3, n / 3, n - 2 * (n / 3)};
    const char* steps[] = {"0_100", "100_200", "200_300"};
    for (int s = 0; s < 3; ++s) {
      xml.Element(prefix + steps[s] + "打撃回数", std::to_string(blows[s]));
      xml.Element(prefix + steps[s] + "貫入量", "100");
    }
    xml.Element(prefix + "合計打撃回数", std::to_string(n));
    xml.Element(prefix + "合計貫入量", "300");
    xml.Close("標準貫入試験");
  }
}

void WriteDensities(XmlWriter& xml) {
  for (int i = 1; i <= kLayers; ++i) {
    xml.Section("相対密度稠度", {{"相対密度稠度_下端深度", Depth(i * 100)},
                                 {"相対密度_コード", i % 2 ? "30" : "40"},  // 中位の, 密な
                                 {"相対稠度_コード", "00"}});
  }
}

// As the data set's X7 records, each with two used slots: two tests over the same half metre every
// metre, each with its result.
void WriteInSituTests(XmlWriter& xml) {
  for (int r = 0; r < kInSituTestDepths; ++r) {
    for (int slot = 0; slot < 2; ++slot) {
      xml.Section("その他原位置試験",
                  {{"その他原位置試験_試験名", slot == 1 ? "現場透水試験" : "孔内水平載荷試験"},
                   {"その他原位置試験_上端深度", Depth(100 + r * 100)},
                   {"その他原位置試験_下端深度", Depth(150 + r * 100)},
                   {"その他原位置試験_試験結果",
                    slot == 1 ? "k=2.1E-05m/s" : "Eb=" + std::to_string(20 + r)}});
    }
  }
}

// As the data set's X6 records: a method and two tests, three names each.
void WriteSamples(XmlWriter& xml) {
  static const char* methods[] = {"200", "400", "100"};
  static const char* tests[] = {"含水", "粒度", "密度", "液塑性", "圧密"};
  for (int r = 0; r < kSamples; ++r) {
    const std::string prefix = "試料採取_";
    xml.Open("試料採取");
    xml.Element(prefix + "上端深度", Depth(100 + r * 30));
    xml.Element(prefix + "下端深度", Depth(180 + r * 30));
    xml.Element(prefix + "試料番号", "S-" + std::to_string(r + 1));
    xml.Element(prefix + "採取方法コード", methods[r % 3]);
    xml.Element(prefix + "試験名", tests[r % 5]);
    xml.Element(prefix + "試験名", tests[(r + 2) % 5]);
    xml.Close("試料採取");
  }
  for (int i = 1; i <= kLayers; ++i) {
    xml.Section("地盤材料の工学的分類", {{"地盤分類_下端深度", Depth(i * 100)}});
  }
}

// As the data set's N8 and N9: a year of weekly readings.
void WriteReadings(XmlWriter& xml) {
  auto date = [](int w) {
    return "2025-" + TwoDigits(1 + (w * 7) / 31 % 12) + "-" + TwoDigits(1 + (w * 7) % 28);
  };
  for (int w = 0; w < kReadings; ++w) {
    xml.Section("孔内水位", {{"孔内水位_測定年月日", date(w)},
                             {"孔内水位_削孔状況コード", "2"},
                             {"孔内水位_孔内水位", Depth(180 + w % 40)}});
  }
  for (int w = 0; w < kReadings; ++w) {
    xml.Section("削孔工程", {{"削孔工程_測定年月日", date(w)},
                             {"削孔工程_削孔深度", Depth(180 + w % 40)},
                             {"削孔工程_ケーシング下端深度", "0.00"}});
  }
}

}  // namespace

std::string TypicalXmlBoring(std::string_view boring_name) {
  XmlWriter xml;
  xml.Raw("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>");
  xml.Raw("<!DOCTYPE ボーリング情報 SYSTEM \"BED0400.DTD\">");
  xml.Open("ボーリング情報", " DTD_version=\"4.00\"");
  WriteTitle(xml, boring_name);
  xml.Open("コア情報");
  WriteLayers(xml);
  WritePenetrationTests(xml);
  WriteDensities(xml);
  WriteInSituTests(xml);
  WriteSamples(xml);
  WriteReadings(xml);
  xml.Close("コア情報");
  xml.Close("ボーリング情報");
  return std::move(xml.text());
}

void WriteTypicalXmlBoring(const std::filesystem::path& file, std::string_view boring_name) {
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  const std::string bytes = TypicalXmlBoring(boring_name);
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tavrimen::bench
