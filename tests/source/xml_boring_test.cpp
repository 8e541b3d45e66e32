#include "source/xml_boring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/xml_tree.h"
#include "support/temp_folder.h"

namespace tavrimen {
namespace {

XmlBoring Read(const std::string& bytes) { return ReadXmlBoring(platform::ParseXml(bytes)); }

// A document of the given version around `body`.
XmlBoring ReadBody(const std::string& body, const std::string& version = "4.00") {
  return Read("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ボーリング情報 DTD_version=\"" +
              version + "\">" + body + "</ボーリング情報>");
}

std::string DateText(const XmlDate& date) { return date.year + "/" + date.month + "/" + date.day; }

bool AnyNoteHas(const XmlBoring& boring, const std::string& words) {
  return std::any_of(boring.dropped.begin(), boring.dropped.end(), [&](const std::string& note) {
    return note.find(words) != std::string::npos;
  });
}

// Facts read by hand from each real boring.
struct RealBoring {
  const char* file;
  const char* version;
  const char* boring_name;
  std::size_t layers;
  const char* first_bottom;
  const char* first_geology;
  const char* first_soil;
  std::size_t penetration_tests;
  const char* first_blows;  // the first step's, then the total
  std::size_t notes;
  const char* first_water_level;  // date and level
  const char* dropped;            // words of one note, or ""
};

const RealBoring kRealBorings[] = {
    {"kunijiban_511179708_v1.10.xml", "1.10", "12.6k(表法)", 7, "0.80", "礫混じり砂質粘土（盛土）",
     "礫混じり砂質粘土（盛土）", 9, "8 29", 6, "2002/2/7 3.75", "コード「03」"},
    {"kunijiban_243720635_v2.10_tokyo_datum.xml", "2.10", "B-R30.4k-1", 15, "1.70", "盛土",
     "砂質シルト", 34, "3 11", 15, "2004/12/14 6.70", "日本測地系"},
    {"BOREHOLE_K-NET_BED10121000010017.xml", "2.10", "GIF017", 2, "3.5", "砂礫", "砂礫", 20, "2 6",
     2, "", ""},
    {"BOREHOLE_KIK-NET_BED10121000020008.xml", "2.10", "GIFH08", 6, "1.20", "盛土", "盛土", 0, "",
     38, "", "日本測地系"},
    {"BOREHOLE_KIK-NET_BED10121000020025.xml", "2.10", "GIFH25", 4, "18.00", "砂礫", "砂礫", 0, "",
     7, "", "地層岩体区分"},
    {"BOREHOLE_KIK-NET_BED10121000020026.xml", "2.10", "GIFH26", 3, "18.00", "砂混り礫", "砂混り礫",
     0, "", 6, "", ""},
    {"BOREHOLE_FUKUI_18000231451700406-BED0003.xml", "3.00", "BV-3", 2, "9.76", "崖錐堆積物",
     "崖錐堆積物", 15, "1 3", 2, "2017/8/24 1.81", "RQD"},
    {"BOREHOLE_FUKUI_18000234592000190-BED0002.xml", "3.00", "B.No.2", 3, "0.65", "礫まじり砂質土",
     "礫まじり砂質土", 2, "7 15", 3, "2008/9/30 1.85", ""},
    {"BOREHOLE_FUKUI_BED10418000011088.xml", "3.00", "越前蒲生5-4-(ⅲ)-A", 4, "3.90",
     "シルト混り砂礫", "シルト混り砂礫", 5, "55 55", 7, "// 2.25", ""},
    {"BOREHOLE_FUKUI_BED10418000012434.xml", "3.00", "OB-4", 3, "3.70", "砂利・礫混り粘土",
     "砂利・礫混り粘土", 9, "1 3", 3, "2005/7/7 5.40", ""},
    {"CBRDB_BEDCB0485336020440001.xml", "3.00", "No.1", 2, "1.60", "崖錐堆積物", "崖錐堆積物", 0,
     "", 24, "2004/10/12 3.70", ""},
    {"CBRDB_BEDCB53361519001.xml", "3.00", "", 6, "1.35", "表土", "表土", 13, " 4", 0, "",
     "「1978-03」"},
    {"CBRDB_BEDCB53361519006.xml", "3.00", "", 4, "7.70", "埋土", "埋土", 30, " 4", 0, "// 11.00",
     ""},
    {"KKRDB_BEDKK53367186004.xml", "3.00", "", 13, "1.4", "表土", "表土", 18, " 2", 0, "// 2.05",
     ""},
    {"BOREHOLE_FUKUI_VER4_18000230752000021-BED0002.xml", "4.00", "TrmBrNo.2", 28, "2.05", "盛土",
     "盛土", 52, "1 5", 28, "2020/5/27 5.64", ""},
    {"BOREHOLE_SHIGA_VER4_201836404006-BED0004.xml", "4.00", "Br4", 2, "0.85", "崖錐", "崖錐", 4,
     "50 50", 2, "", ""},
    {"BOREHOLE_SHIGA_VER4_201836404006-BED0005.xml", "4.00", "Br5", 2, "2.60", "崖錐", "崖錐", 6,
     "1 2", 2, "", ""},
    {"BOREHOLE_SHIGA_VER4_202037301112-BED0004.xml", "4.00", "No.4", 3, "3.45", "砂礫", "砂礫", 11,
     "1 3", 8, "2020/11/18 1.60", "コード「2」"},
};

TEST(XmlBoring, RealBoringsOfEveryVersion) {
  const std::filesystem::path folder = TAVRIMEN_REALXML_DIR;
  if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no real borings at " << folder;
  for (const RealBoring& real : kRealBorings) {
    SCOPED_TRACE(real.file);
    const XmlBoring boring = Read(testing::ReadFile(folder / real.file));
    EXPECT_EQ(boring.version, real.version);
    EXPECT_EQ(boring.boring_name, real.boring_name);
    ASSERT_EQ(boring.layers.size(), real.layers);
    EXPECT_EQ(boring.layers[0].bottom, real.first_bottom);
    EXPECT_EQ(boring.layers[0].geology, real.first_geology);
    EXPECT_EQ(boring.layers[0].soil, real.first_soil);
    ASSERT_EQ(boring.penetration_tests.size(), real.penetration_tests);
    if (!boring.penetration_tests.empty()) {
      const XmlPenetrationTest& first = boring.penetration_tests[0];
      EXPECT_EQ(first.blows[0] + " " + first.total_blows, real.first_blows);
    }
    EXPECT_EQ(boring.notes.size(), real.notes);
    const std::string water = boring.water_levels.empty() ? ""
                                                          : DateText(boring.water_levels[0].date) +
                                                                " " + boring.water_levels[0].depth;
    EXPECT_EQ(water, real.first_water_level);
    if (*real.dropped) {
      EXPECT_TRUE(AnyNoteHas(boring, real.dropped)) << real.dropped;
    }
  }
}

TEST(XmlBoring, Version4WritesMillimetresAndCodes) {
  const XmlBoring boring = ReadBody(
      "<コア情報>"
      "<標準貫入試験><標準貫入試験_開始深度>1.15</標準貫入試験_開始深度>"
      "<標準貫入試験_0_100打撃回数>0</標準貫入試験_0_100打撃回数>"
      "<標準貫入試験_0_100貫入量>50</標準貫入試験_0_100貫入量>"
      "<標準貫入試験_100_200打撃回数>1</標準貫入試験_100_200打撃回数>"
      "<標準貫入試験_100_200貫入量>100</標準貫入試験_100_200貫入量>"
      "<標準貫入試験_200_300打撃回数>2</標準貫入試験_200_300打撃回数>"
      "<標準貫入試験_200_300貫入量>165</標準貫入試験_200_300貫入量>"
      "<標準貫入試験_合計打撃回数>3</標準貫入試験_合計打撃回数>"
      "<標準貫入試験_合計貫入量>315</標準貫入試験_合計貫入量></標準貫入試験>"
      "<標準貫入試験><標準貫入試験_開始深度>2.15</標準貫入試験_開始深度>"
      "<標準貫入試験_0_100打撃回数>00</標準貫入試験_0_100打撃回数>"
      "<標準貫入試験_0_100貫入量>300</標準貫入試験_0_100貫入量>"
      "<標準貫入試験_合計打撃回数>00</標準貫入試験_合計打撃回数>"
      "<標準貫入試験_合計貫入量>300</標準貫入試験_合計貫入量></標準貫入試験>"
      "<相対密度稠度><相対密度稠度_下端深度>2.00</相対密度稠度_下端深度>"
      "<相対密度_コード>40</相対密度_コード><相対稠度_コード>00</相対稠度_コード></相対密度稠度>"
      "<試料採取><試料採取_試料番号>T-1</試料採取_試料番号>"
      "<試料採取_採取方法コード>200</試料採取_採取方法コード></試料採取>"
      "</コア情報>");
  ASSERT_EQ(boring.penetration_tests.size(), 2u);
  const XmlPenetrationTest& driven = boring.penetration_tests[0];
  EXPECT_EQ(driven.penetration, (std::array<std::string, 3>{"5", "10", "16.5"}));
  EXPECT_EQ(driven.total_penetration, "31.5");
  EXPECT_FALSE(driven.self_sinking);
  const XmlPenetrationTest& sunk = boring.penetration_tests[1];
  EXPECT_EQ(sunk.blows[0] + " " + sunk.penetration[0] + " " + sunk.total_penetration, "0 30 30");
  EXPECT_TRUE(sunk.self_sinking);
  ASSERT_EQ(boring.densities.size(), 1u);
  EXPECT_EQ(boring.densities[0].text, "密な");
  ASSERT_EQ(boring.samples.size(), 1u);
  EXPECT_EQ(boring.samples[0].kind, 'T');
}

TEST(XmlBoring, NoteLineBreaksWrittenEitherWay) {
  const XmlBoring boring = ReadBody(
      "<コア情報>"
      "<観察記事><観察記事_上端深度>0.00</観察記事_上端深度>"
      "<観察記事_記事>含水中位。\\n粘性小位。</観察記事_記事></観察記事>"
      "<観察記事><観察記事_上端深度>1.70</観察記事_上端深度>"
      "<観察記事_記事>含水中位。\r\n粘性小位。\r\n</観察記事_記事></観察記事>"
      "</コア情報>");
  ASSERT_EQ(boring.notes.size(), 2u);
  EXPECT_EQ(boring.notes[0].text, "含水中位。\n粘性小位。");
  EXPECT_EQ(boring.notes[1].text, "含水中位。\n粘性小位。");
}

TEST(XmlBoring, DepthsLoseTheirLeadingZeros) {
  const XmlBoring boring = ReadBody(
      "<コア情報><岩石土区分><岩石土区分_下端深度> 004.15 </岩石土区分_下端深度>"
      "<岩石土区分_岩石土名>礫</岩石土区分_岩石土名></岩石土区分>"
      "<観察記事><観察記事_上端深度>000.50</観察記事_上端深度></観察記事></コア情報>",
      "3.00");
  ASSERT_EQ(boring.layers.size(), 1u);
  EXPECT_EQ(boring.layers[0].bottom, "4.15");
  ASSERT_EQ(boring.notes.size(), 1u);
  EXPECT_EQ(boring.notes[0].top, "0.50");
}

TEST(XmlBoring, TitleWithAnEmptyNameAndAPartialDate) {
  const XmlBoring boring = ReadBody(
      "<標題情報><調査基本情報><調査名>調査</調査名><ボーリング名></ボーリング名></調査基本情報>"
      "<調査期間><調査期間_開始年月日>2020-05</調査期間_開始年月日>"
      "<調査期間_終了年月日>2020-06-03</調査期間_終了年月日></調査期間></標題情報>");
  EXPECT_EQ(boring.project, "調査");
  EXPECT_EQ(boring.boring_name, "");
  EXPECT_EQ(DateText(boring.start), "2020/5/");
  EXPECT_EQ(DateText(boring.end), "2020/6/3");
  ASSERT_EQ(boring.dropped.size(), 1u);
  EXPECT_TRUE(AnyNoteHas(boring, "調査期間の開始日「2020-05」")) << boring.dropped[0];
}

TEST(XmlBoring, MissingSectionsGiveEmptyFacts) {
  for (const char* body : {"", "<標題情報/><コア情報/>", "<標題情報><調査期間/></標題情報>"}) {
    SCOPED_TRACE(body);
    const XmlBoring boring = ReadBody(body);
    EXPECT_EQ(boring.version, "4.00");
    EXPECT_EQ(boring.project + boring.boring_name + boring.start.year, "");
    EXPECT_TRUE(boring.layers.empty());
    EXPECT_TRUE(boring.dropped.empty());
  }
}

TEST(XmlBoring, AnotherRootIsAnError) {
  try {
    Read("<?xml version=\"1.0\"?>\n<土質試験結果一覧表/>");
    FAIL() << "no error";
  } catch (const platform::XmlError& error) {
    EXPECT_EQ(error.line(), 2);
  }
}

}  // namespace
}  // namespace tavrimen
