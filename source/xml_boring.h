// One boring of the national electronic-delivery boring XML (root element "ボーリング情報", DTD
// versions 1.10 to 4.00), as the facts a data set would hold. The reader takes them from the
// element names of each version; the data-set writer (xml_data_set.h) turns them into a data
// set, so that the one conversion run converts an XML boring as it converts a data set.
//
// Every text is UTF-8 and trimmed of blanks at both ends. A fact the file does not give is
// empty. Depths are decimal texts in metres as the file writes them, less any leading zeros
// ("004.15" gives "4.15", "000.50" gives "0.50").
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xml_tree.h"

namespace tavrimen {

// A calendar date as far as the file gives it: a year alone, a year and a month, or all three.
struct XmlDate {
  std::string year;   // "2020"
  std::string month;  // "5" (no leading zero)
  std::string day;
};

// A text that holds over a depth range: it ends at `bottom`, and starts at the bottom of the one
// before it (the top of the boring for the first).
struct XmlDepthText {
  std::string bottom;
  std::string text;
};

struct XmlLayer {
  std::string bottom;
  std::string geology;  // the geological classification name (地質区分)
  std::string soil;  // the soil name (土質名); the geology name where a version gives one name
};

struct XmlNote {
  std::string top;   // a note's depth is its top
  std::string text;  // line breaks, real or written as the two characters "\n", are '\n'
};

// One standard penetration test. Penetrations are in centimetres whatever the version wrote
// (version 4 writes millimetres).
struct XmlPenetrationTest {
  std::string depth;                       // the start depth
  std::array<std::string, 3> blows;        // per 10 cm step; empty where the step was not driven
  std::array<std::string, 3> penetration;  // per step, cm
  std::string total_blows;
  std::string total_penetration;  // cm
  // 自沈: the rods sank under their own weight, without a blow in the whole test (N is 0). A
  // single step that sank so has "0" blows and its penetration.
  bool self_sinking = false;
  std::string remark;  // 備考, e.g. 貫入不能
};

struct XmlSample {
  std::string number;  // 試料番号
  std::string top;
  std::string bottom;
  std::string method;              // the sampling method's name (a code of the DTD given its name)
  char kind = 'A';                 // T thin-walled tube, D double or triple tube, F frozen, A other
  std::vector<std::string> tests;  // the laboratory tests' names
};

// An in-situ test: standard names such as 孔内水平載荷試験, 現場透水試験, PS検層, ルジオン試験.
struct XmlInSituTest {
  std::string top;
  std::string bottom;
  std::string name;
  std::string result;  // the result as one text, e.g. "k=2.1E-05m/s"; empty where none is given
};

// A depth measured on a date: a water level, or the depth the drilling had reached.
struct XmlDatedDepth {
  XmlDate date;
  std::string depth;
};

struct XmlBoring {
  std::string version;  // the root's DTD_version, "1.10" … "4.00"

  // Title.
  std::string project;                   // 調査名
  std::string boring_name;               // ボーリング名
  std::string work;                      // 事業工事名
  std::string address;                   // 調査位置住所
  std::array<std::string, 3> latitude;   // degrees, minutes, seconds
  std::array<std::string, 3> longitude;  // degrees, minutes, seconds
  std::string client;                    // 発注機関名称
  XmlDate start;                         // 調査期間
  XmlDate end;
  std::string company;    // 調査会社_名称
  std::string elevation;  // 孔口標高, m
  // 主任技師, 現場代理人, コア鑑定者, ボーリング責任者.
  std::array<std::string, 4> engineers;
  std::string angle;             // 角度, degrees
  std::string direction;         // 方向, degrees
  std::string slope;             // 地盤勾配, degrees
  std::string machine_method;    // 試錐機_方法, as its name
  std::string machine_name;      // 試錐機_名称
  std::string machine_capacity;  // 試錐機_能力
  std::string drilled_length;    // 総掘進長 or 総削孔長, m

  // Columns, each in file order.
  std::vector<XmlLayer> layers;
  std::vector<XmlDepthText> colours;    // 色調
  std::vector<XmlDepthText> densities;  // 相対密度 / 相対稠度, as names
  std::vector<XmlNote> notes;
  std::vector<XmlPenetrationTest> penetration_tests;
  std::vector<XmlSample> samples;
  std::vector<XmlInSituTest> in_situ_tests;
  std::vector<XmlDatedDepth> water_levels;       // 孔内水位
  std::vector<XmlDatedDepth> drilling_progress;  // 掘削工程 / 削孔工程

  // What the file says that a data set cannot hold, one short Japanese sentence each ("測地系が
  // 日本測地系です。緯度経度はそのまま書きます。"): shown by the data check.
  std::vector<std::string> dropped;
};

// The root element of a boring document.
inline constexpr std::string_view kXmlBoringRoot = "ボーリング情報";
// The element that names the boring, among the first of the title.
inline constexpr std::string_view kXmlBoringNameElement = "ボーリング名";

// The facts of a boring document. Throws XmlError (platform/xml_tree.h) for a root that is not
// "ボーリング情報", naming its line.
XmlBoring ReadXmlBoring(const platform::XmlDocument& document);

}  // namespace tavrimen
