#include "app/data_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/messages.h"
#include "support/data_set.h"
#include "support/drive_table.h"

namespace tavrimen {
namespace {

using testing::Files;
using testing::TempFolder;
using testing::WriteFiles;

// Every file of a folder with its bytes, to see that the check changed nothing.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    files[entry.path().filename().string()] = testing::ReadFile(entry.path());
  }
  return files;
}

class DataCheckTest : public ::testing::Test {
 protected:
  DataCheckTest() : drives_("C=" + root_.path().string()) {
    WriteFiles(root_.path() / "PATDAT", testing::StandardPatdat());
  }

  // Checks a data set made of the minimal boring with `changes`, and returns the findings as
  // "file:line:column: severity: message" with the folder left out of the file name.
  std::vector<std::string> Check(const Files& changes,
                                 const std::vector<std::string>& removed = {}) {
    const auto folder = root_.path() / "B-1";
    std::filesystem::remove_all(folder);
    WriteFiles(folder, testing::MinimalBoring());
    WriteFiles(folder, {{"N8.TXT", ""}, {"N9.TXT", ""}, {"X12.txt", ""}, {"X14.txt", ""}});
    for (const std::string& name : removed) std::filesystem::remove(folder / name);
    WriteFiles(folder, changes);
    const auto before = Snapshot(folder);
    std::vector<std::string> shown;
    for (const Finding& f : CheckDataSet(drives_.Files(), "C:\\B-1\\", "C:\\PATDAT\\")) {
      std::string file = f.file.rfind("C:\\B-1\\", 0) == 0 ? f.file.substr(7) : f.file;
      shown.push_back(file + ":" + std::to_string(f.line) + ":" + std::to_string(f.column) + ": " +
                      SeverityName(f.severity) + ": " + f.message);
    }
    EXPECT_EQ(Snapshot(folder), before) << "the check changed the source folder";
    return shown;
  }

  TempFolder root_;
  testing::ScopedDrives drives_;
};

TEST_F(DataCheckTest, ACleanDataSetHasNoFindings) {
  EXPECT_EQ(Check({}), std::vector<std::string>{});
}

TEST_F(DataCheckTest, ReportsEachKindOfFindingAtItsPlace) {
  struct Case {
    const char* name;
    Files changes;
    std::string finding;
  };
  const std::vector<Case> cases = {
      {"depth without a number",
       {{"X1.txt", "1,abc,20,0\n"}},
       "X1.txt:1:3: warning: 深度が数値ではありません: 「abc」（0 として読みます）"},
      {"depths that do not increase",
       {{"X3.txt", "1,2.00,06,0,,0,0\n1,1.50,06,0,,0,0\n"}},
       "X3.txt:2:3: warning: 深度 1.50 が前のレコードの深度より大きくありません"},
      {"depths that do not increase in the notes",
       {{"X12.txt", "1,2.00,a\n1,1.00,b\n"}},
       "X12.txt:2:3: warning: 深度 1.00 が前のレコードの深度より大きくありません"},
      {"a note depth without a number",
       {{"X12.txt", "1,abc,c\n"}},
       "X12.txt:1:3: warning: 深度が数値ではありません: 「abc」（0 として読みます）"},
      {"depths that do not increase in the colours",
       {{"X14.txt", "1,2.00,x,y,0,0\n1,1.00,x,y,0,0\n"}},
       "X14.txt:2:3: warning: 深度 1.00 が前のレコードの深度より大きくありません"},
      {"a title field beyond single precision",
       {{"Titl01.txt",
         "\"県道改良工事\",\"No.1\",\"KB-1\",2001,7,2,2001,7,15,\"千葉県千葉市\"\n"
         "35,36,1e39,140,7,20,\"千葉県土木部\",\"房総地研\",12.35,4,\"山田太郎\",\"鈴木一郎\","
         "0\n"}},
       ":0:0: error: 数値が大きすぎるため変換できません。 C:\\B-1\\Titl01.txt 「1e39」"},
      {"KISHITU code without a row",
       {{"X1.txt", "1,5.00,99,0\n"}},
       "X1.txt:1:8: warning: 地質コード 99 は KISHITU.TXT "
       "にありません（記録ファイルでは「@」になります）"},
      {"L4 code without a row",
       {{"X3.txt", "1,5.00,0604,0,,0,0\n"}},
       "X3.txt:1:8: warning: 土質コード 04 は L4.TXT にありません（名前なしになります）"},
      {"L4 code outside the table",
       {{"X3.txt", "1,5.00,06,0,-5,0,0\n"}},
       "X3.txt:1:13: warning: 土質コード -5 は L4.TXT の範囲（0～100）の外です（読み飛ばします）"},
      {"L2 code without a row",
       {{"Titl02.txt",
         "a,b,1,2001,7,2,0,0\n0,0,0,0,0,0,x,y,0\n1,2,0,0,0,12.50,0,90,0,270.5,r,Y,66,9\n"}},
       "Titl02.txt:3:37: warning: コード 9 は L2.TXT "
       "にありません（記録ファイルでは「@」になります）"},
      {"L10 code without a row",
       {{"X11.TXT", "1,1.00,7,0,0\n"}},
       "X11.TXT:1:8: warning: コード 7 は L10.TXT にありません（記録ファイルでは「@」になります）"},
      {"L8 code without a row",
       {{"X7.TXT", "1,0,0,0,1,2,0,0,8" + std::string(59, ',') + "\n"}},
       "X7.TXT:1:17: warning: コード 8 は L8.TXT にありません（記録ファイルでは「@」になります）"},
      {"L100 code without a row",
       {{"X6.TXT", "1,S,1,0,1,2,0,0,9" + std::string(59, ',') + "\n"}},
       "X6.TXT:1:17: warning: コード 9 は L100.TXT にありません（1400 行に何も加わりません）"},
      {"short last record",
       {{"X3.txt", "1,5.00,06\n"}},
       "X3.txt:1:8: warning: 最後のレコードの項目が足りません（7 項目中 3 "
       "項目）。足りない項目は空として読みます"},
      {"more than 1000 record lines",
       {{"X5.TXT",
         [] {
           std::string records;
           for (int i = 1; i <= 1000; ++i) records += "1," + std::to_string(i) + ",0,0,0,,,,,,\n";
           return records;
         }()}},
       ":0:0: error: 記録ファイルの行数が上限の1000行を超えるため、変換できません。"},
      {"files the conversion would delete",
       {{"X6.TXT", ""}},
       "X6.TXT:0:0: note: 空のファイルです。変換すると削除されます"},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> findings = Check(c.changes);
    EXPECT_EQ(findings, std::vector<std::string>{c.finding}) << c.name;
  }
}

TEST_F(DataCheckTest, BeyondAHundredFindingsOfAKindInAFileTheFirstInTheFileAreShown) {
  // Twenty codes not in L8 in each of ten records, 900 to 919: the first five records are shown,
  // and the note names the sixth record's first code.
  std::string codes;
  for (int code = 900; code < 920; ++code) codes += std::to_string(code) + ",";
  std::string x7;
  for (int i = 0; i < 10; ++i) x7 += "1,0,0,0,1,2,0,0," + codes + std::string(39, ',') + "\n";
  // The depths of the notes, each a different text that is not a number, make one kind.
  std::string x12;
  for (char first = 'a'; first <= 'z'; ++first) {
    for (char second = 'a'; second <= 'f'; ++second) {
      x12 += std::string("1,") + first + second + ",n\n";
    }
  }
  struct Case {
    const char* file;
    std::string content;
    std::string last_shown;
    std::string note;
  };
  const std::vector<Case> cases = {
      {"X7.TXT", x7,
       "X7.TXT:5:93: warning: コード 919 は L8.TXT にありません（記録ファイルでは「@」になります）",
       "X7.TXT:0:0: note: ほかに 100 件、同じ種類の指摘を省きました（最初は「コード 900 は L8.TXT "
       "にありません（記録ファイルでは「@」になります）」）"},
      {"X12.txt", x12,
       "X12.txt:100:3: warning: 深度が数値ではありません: 「qd」（0 として読みます）",
       "X12.txt:0:0: note: ほかに 56 件、同じ種類の指摘を省きました"
       "（最初は「深度が数値ではありません: 「qe」（0 として読みます）」）"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> findings = Check({{c.file, c.content}});
    ASSERT_EQ(findings.size(), 101u) << c.file;
    EXPECT_EQ(findings.front(), c.note) << c.file;
    EXPECT_EQ(findings.back(), c.last_shown) << c.file;
  }
}

TEST_F(DataCheckTest, BytesThatAreNotCodePage932AreShownAtTheirPlace) {
  WriteFiles(root_.path() / "B-1", testing::MinimalBoring());
  testing::WriteFile(root_.path() / "B-1" / "X12.txt",
                     "1,1.00,\"" + testing::Sj("地質") + "\x81\x20\"\r\n");
  const std::vector<Finding> findings = CheckDataSet(drives_.Files(), "C:\\B-1\\", "C:\\PATDAT\\");
  auto found = std::find_if(findings.begin(), findings.end(),
                            [](const Finding& f) { return f.file == "C:\\B-1\\X12.txt"; });
  ASSERT_NE(found, findings.end());
  const Finding& f = *found;
  EXPECT_EQ(f.line, 1);
  EXPECT_EQ(f.column, 11);  // after 1,1.00," and two kanji
  EXPECT_EQ(f.message, "シフトJIS（コードページ932）の文字ではないバイトがあります");
}

TEST_F(DataCheckTest, NumbersBeyondSinglePrecisionAreErrorsOnlyWhereTheConversionReadsThem) {
  EXPECT_EQ(Check({{"X1.txt", "1,1e39,20,0\n"}}),
            (std::vector<std::string>{
                ":0:0: error: 数値が大きすぎるため変換できません。 C:\\B-1\\X1.txt 「1e39」",
                "X1.txt:1:3: warning: 深度の数値が大きすぎます: 「1e39」"}));
  // A layer below the last geology layer is never read.
  EXPECT_EQ(Check({{"X3.txt", "1,5.00,06,0,,0,0\n1,6.00,06,0,,0,0\n1,9e99,06,0,,0,0\n"}}),
            std::vector<std::string>{"X3.txt:3:3: warning: 深度の数値が大きすぎます: 「9e99」"});
}

TEST_F(DataCheckTest, MissingItemsOfAShortLastRecordAreShownAtTheEnd) {
  EXPECT_EQ(
      Check({{"X1.txt", "1,5.00,20,0\n1,6.00,"}}),
      std::vector<std::string>{"X1.txt:2:8: warning: 最後のレコードの項目が足りません（4 項目中 3 "
                               "項目）。足りない項目は空として読みます"});
}

TEST_F(DataCheckTest, UnassignedDoubleByteCodesAreNotCodePage932) {
  WriteFiles(root_.path() / "B-1", testing::MinimalBoring());
  testing::WriteFile(root_.path() / "B-1" / "X14.txt", "1,5.00,\x85\x40,x,0,0\r\n");
  bool found = false;
  for (const Finding& f : CheckDataSet(drives_.Files(), "C:\\B-1\\", "C:\\PATDAT\\")) {
    found = found || (f.file == "C:\\B-1\\X14.txt" && f.line == 1 && f.column == 8);
  }
  EXPECT_TRUE(found);
}

TEST_F(DataCheckTest, MissingFilesThatAConversionWouldCreateOrRefuse) {
  EXPECT_EQ(Check({}, {"X1.txt", "N9.TXT"}),
            (std::vector<std::string>{
                "N9.TXT:0:0: note: ファイルがありません。変換すると空の N9.TXT が作成されます",
                "X1.txt:0:0: error: 地質区分が入力されていません。 X1.txt "
                "がないか空のため、変換は拒否されます。"}));
}

#ifndef _WIN32
TEST_F(DataCheckTest, NamesThatDifferOnlyInLetterCaseAreWarnedAboutAndReadInAFixedOrder) {
  const std::vector<std::string> findings =
      Check({{"x1.txt", ""}, {"X1.TXT", "1,5.00,10,0\n"}}, {"X1.txt"});
  ASSERT_EQ(findings.size(), 1u) << findings[0];
  EXPECT_EQ(
      findings[0],
      "X1.txt:0:0: warning: 大文字と小文字だけが違う名前のファイルがあります（X1.TXT、x1.txt）"
      "。変換では X1.TXT を読みます");
}
#endif

TEST_F(DataCheckTest, MissingReferenceTableIsAnError) {
  std::filesystem::remove(root_.path() / "PATDAT" / "L2.TXT");
  const std::vector<std::string> findings = Check({});
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].rfind(":0:0: error: 参照テーブルを読み込めません。 C:\\PATDAT\\L2.TXT", 0),
            0u)
      << findings[0];
}

TEST_F(DataCheckTest, ASourceThatIsAFileIsOneErrorWithoutNotesOnItsFiles) {
  testing::WriteFile(root_.path() / "F", "not a folder");
  const std::vector<Finding> findings = CheckDataSet(drives_.Files(), "C:\\F\\", "C:\\PATDAT\\");
  ASSERT_EQ(findings.size(), 1u) << findings[1].message;
  EXPECT_EQ(findings[0].message, kSourceNotAFolderMessage);
}

TEST_F(DataCheckTest, DriveRootHasNoRecordFileName) {
  const std::vector<Finding> findings = CheckDataSet(drives_.Files(), "C:\\", "C:\\PATDAT\\");
  ASSERT_FALSE(findings.empty());
  EXPECT_EQ(findings[0].message,
            "変換元フォルダにドライブのルートは指定できません。 "
            "ボーリングデータのフォルダを指定してください。");
}

}  // namespace
}  // namespace tavrimen
