#include "source/header_readers.h"

#include <gtest/gtest.h>

#include "support/data_set.h"
#include "support/drive_table.h"

// In the namespace of the test helpers, which the cases use throughout.
namespace tavrimen::testing {
namespace {

// Runs the three readers the way output generation does, on a title table given per field of
// kinds 2 and 3 (UTF-8), and keeps the header lines as UTF-8.
class HeaderReadersTest : public ::testing::Test {
 protected:
  HeaderReadersTest() {
    WriteFiles(folder_.path() / "PATDAT", {{"L2.TXT", "03,three\n\"4\",quoted\n5x,text\n"}});
  }

  void Kind2(int field, const std::string& text) { Set(2, field, text); }
  void Kind3(int field, const std::string& text) { Set(3, field, text); }
  void Set(int kind, int field, const std::string& text) {
    titles_.cell[kind - 1][field] = Sj(text);
    (kind == 2 ? titles_.title1_count : titles_.title2_count) = 23;
  }

  void Read() {
    platform::FileSystem& files = drives_.Files();
    CodeTables tables({files, folder_.DriveForm() + "PATDAT\\"});
    HeaderLines lines;
    HeaderReaders readers(titles_, {files, folder_.DriveForm()}, tables, lines);
    cnt_ = readers.ReadCntRecord();
    readers.ReadTitle1Record();
    readers.ReadTitle2Record();
    for (int i = 1; i <= 20; ++i) line_[i] = Utf8(lines[static_cast<std::size_t>(i)]);
  }

  TempFolder folder_;
  testing::TestDrives drives_;
  TitleData titles_;
  CntValues cnt_;
  std::array<std::string, 21> line_;
};

TEST_F(HeaderReadersTest, AbsentTitlesGiveTheDefaultMarks) {
  Read();
  const std::array<std::string, 21> expected = {
      "",         "",         "@",       "@",
      "@",        "@",        "@",       "@",
      "-1 -1 -1", "-1 -1 -1", "@",       "西暦 -1 -1 -1 -1 -1 -1",
      "@",        "999",      "@ @ @ @", "-1-1 -1 -1 -1",
      "@",        "-1",       "@",       "@",
      "-1 -1 -1"};
  for (int i = 2; i <= 20; ++i) EXPECT_EQ(line_[i], expected[static_cast<std::size_t>(i)]) << i;
}

TEST_F(HeaderReadersTest, LinesAreComposedFromTheirFields) {
  Kind2(1, "工事名");
  Kind2(2, "No.1");
  Kind2(4, "KB-1");
  Kind2(5, "道路");
  Kind2(6, "千葉県");
  Kind2(7, "千葉市");
  Kind2(10, "2001");
  Kind2(12, "3");
  Kind2(16, "1");
  Kind2(17, "2");
  Kind2(19, "12.50");
  Kind2(20, "山田");
  Kind2(22, "高橋");
  Kind2(24, "ロータリー");
  Kind2(25, "YBM");
  Kind2(26, "66");
  Kind2(27, "3");
  Kind3(1, "土木部");
  Kind3(2, "道路課");
  Kind3(3, "地研");
  Kind3(4, "12.35");
  Kind3(5, "35");
  Kind3(7, "41.5");
  Kind3(8, "140");
  Kind3(12, "12.7");
  Kind3(13, "-0.5");
  Read();
  EXPECT_EQ(line_[2], "工事名");
  EXPECT_EQ(line_[3], "No.1");
  EXPECT_EQ(line_[4], "KB-1");
  EXPECT_EQ(line_[5], "@");
  EXPECT_EQ(line_[6], "道路");
  EXPECT_EQ(line_[7], "千葉県千葉市");
  EXPECT_EQ(line_[8], "35 -1 41.5");
  EXPECT_EQ(line_[9], "140 -1 -1");
  EXPECT_EQ(line_[10], "土木部道路課");
  EXPECT_EQ(line_[11], "西暦 2001 -1 3 -1 -1 -1");
  EXPECT_EQ(line_[12], "地研");
  EXPECT_EQ(line_[13], "12.35");
  EXPECT_EQ(line_[14], "山田 @ 高橋 @");
  EXPECT_EQ(line_[15], "12 12 -1 -1");
  EXPECT_EQ(line_[16], "ロータリー");
  EXPECT_EQ(line_[17], "three");  // L2 code written 03 matches 3
  EXPECT_EQ(line_[18], "YBM");
  EXPECT_EQ(line_[19], "66");
  EXPECT_EQ(line_[20], "12.50 -1 -1");
}

TEST_F(HeaderReadersTest, TextFieldsAreNormalisedAndNumberFieldsCopied) {
  Kind2(1, "A B　C\\D￥E");
  Kind2(10, " 2001 ");
  Read();
  EXPECT_EQ(line_[2], "A_B__CDE");
  EXPECT_EQ(line_[11], "西暦  2001  -1 -1 -1 -1 -1");
}

TEST_F(HeaderReadersTest, L2LookupKeepsTheFieldWhenNothingMatches) {
  struct Case {
    std::string field;
    std::string line17;
  };
  for (const Case& c : std::vector<Case>{{"4", "4"}, {"5", "5"}, {"9", "9"}, {"3.0", "three"}}) {
    Kind2(27, c.field);
    Read();
    EXPECT_EQ(line_[17], c.line17) << c.field;
  }
}

TEST_F(HeaderReadersTest, WholePartsOfLine15RoundTowardMinusInfinity) {
  struct Case {
    std::string field;
    std::string part;
  };
  for (const Case& c : std::vector<Case>{
           {"12.7", "12"}, {"-0.5", "-1"}, {"", "-1"}, {"x", "0"}, {"270.5", "270"}, {"-0", "0"}}) {
    Kind3(12, c.field);
    Read();
    EXPECT_EQ(line_[15], "-1-1 " + c.part + " -1 -1") << c.field;
  }
}

TEST_F(HeaderReadersTest, CntRecordHandsOverFieldsThreeFiveAndSix) {
  struct Case {
    std::string cnt;
    std::string text3;
    float number5;
    std::string text6;
  };
  const std::vector<Case> cases = {
      {"\"KB-1\",1,\"B-1\",0,1,3\n", "B-1", 1, "3"},
      {"\"KOL-6\",1,,0\n", "@", -1, "-1"},
      {"a,1,\"B 2\",0,7.5,4,x,x,x,x,x,x,x,x\n", "B_2", 7.5f, "4"},
      {"a,1,\"\\\",0,0,0\n", "", 0, "0"},
  };
  for (const Case& c : cases) {
    WriteFiles(folder_.path(), {{"CNT.TXT", c.cnt}});
    Read();
    EXPECT_EQ(Utf8(cnt_.boring_number), c.text3) << c.cnt;
    EXPECT_EQ(cnt_.loader_argument, c.number5) << c.cnt;
    EXPECT_EQ(Utf8(cnt_.soil_pattern), c.text6) << c.cnt;
  }
}

TEST_F(HeaderReadersTest, EmptyCntIsLeftInPlaceWithDefaultMarks) {
  // Empty, or holding nothing but line ends and an end mark.
  for (const char* content : {"", "\r\n\r\n\x1a"}) {
    WriteFile(folder_.path() / "CNT.TXT", content);
    Read();
    EXPECT_EQ(cnt_.boring_number, "@");
    EXPECT_EQ(cnt_.soil_pattern, "-1");
    EXPECT_TRUE(std::filesystem::exists(folder_.path() / "CNT.TXT"));
  }
}

}  // namespace
}  // namespace tavrimen::testing
