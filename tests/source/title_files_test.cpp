#include "source/title_files.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "support/data_set.h"
#include "support/drive_table.h"

namespace tavrimen {
namespace {

using testing::FileNames;
using testing::Sj;
using testing::TempFolder;
using testing::WriteFile;
using testing::WriteFiles;

class TitleFilesTest : public ::testing::Test {
 protected:
  TitleData Read() {
    TitleData data;
    for (auto& row : data.cell) row.fill("untouched");
    ReadTitleFiles({drives_.Files(), folder_.DriveForm()}, data);
    return data;
  }
  TempFolder folder_;
  testing::TestDrives drives_;
};

TEST_F(TitleFilesTest, MissingTitleFilesCountNothingAndLeaveNoFileBehind) {
  TitleData data = Read();
  EXPECT_EQ(data.title1_count, 0);
  EXPECT_EQ(data.title2_count, 0);
  for (int column = 1; column <= 28; ++column) EXPECT_EQ(data.cell[1][column], "") << column;
  for (int column = 1; column <= 15; ++column) EXPECT_EQ(data.cell[2][column], "") << column;
  EXPECT_EQ(data.cell[1][29], "untouched");
  EXPECT_EQ(data.cell[2][16], "untouched");
  EXPECT_EQ(FileNames(folder_.path()), "");
}

TEST_F(TitleFilesTest, EmptyTitleFileIsDeleted) {
  WriteFile(folder_.path() / "Titl02.txt", "");
  WriteFiles(folder_.path(), {{"Titl01.txt", "A,B,C,D\n"}});
  TitleData data = Read();
  EXPECT_EQ(data.title1_count, 4);
  EXPECT_EQ(data.title2_count, 0);
  EXPECT_EQ(FileNames(folder_.path()), "Titl01.txt");
  EXPECT_EQ(data.cell[1][1], "A");
  EXPECT_EQ(data.cell[1][3], "C");
  EXPECT_EQ(data.cell[1][4], "B");
  EXPECT_EQ(data.cell[1][10], "D");
}

TEST_F(TitleFilesTest, FieldsAreRearrangedIntoTheTwoRows) {
  // Field n of each file holds its own name: a0, a1, ... and b0, b1, ...
  std::string t1, t2;
  for (int n = 0; n < 23; ++n) t1 += (n ? "," : "") + std::string("a") + std::to_string(n);
  for (int n = 0; n < 41; ++n) t2 += (n ? "," : "") + std::string("b") + std::to_string(n);
  WriteFiles(folder_.path(), {{"Titl01.txt", t1 + "\n"}, {"Titl02.txt", t2 + "\n"}});
  TitleData data = Read();
  EXPECT_EQ(data.title1_count, 23);
  EXPECT_EQ(data.title2_count, 41);
  const std::vector<std::string> row1 = {"",    "a0",  "",    "a2",  "a1",  "b0",  "a9",  "",
                                         "",    "",    "a3",  "a4",  "a5",  "a6",  "a7",  "a8",
                                         "b17", "b18", "b20", "b22", "a20", "a21", "b15", "b14",
                                         "b27", "b28", "b29", "b30", "a22"};
  const std::vector<std::string> row2 = {"",    "a16", "",    "a17", "a18", "b8",  "b9",  "b10",
                                         "b11", "b12", "b13", "b19", "b24", "b25", "b26", "a19"};
  for (int column = 1; column <= 28; ++column)
    EXPECT_EQ(data.cell[1][column], row1[column]) << column;
  for (int column = 1; column <= 15; ++column)
    EXPECT_EQ(data.cell[2][column], row2[column]) << column;
}

TEST_F(TitleFilesTest, SecondFileTakesTheFirstFilesPositionWhenItHoldsZeros) {
  struct Case {
    std::string t1_10_to_15;
    std::string t2_8_to_13;
    std::vector<std::string> row2_5_to_10;
  };
  const std::vector<Case> cases = {
      {"35,0,0,139,0,0", "0,0,0,0,0,0", {"35", "0", "0", "139", "0", "0"}},
      {"0,12,0,0,1,1", "0,0,0,0,0,0", {"0", "0", "0", "0", "1", "1"}},
      {"0,41,22,0,0,0", ",,,0,0.0,", {"0", "41", "22", "0", "0.0", ""}},
      {"35,36,40,140,7,20", "35,36,41.5,x,0,", {"35", "36", "41.5", "140", "7", "20"}},
  };
  for (const Case& c : cases) {
    WriteFiles(folder_.path(), {{"Titl01.txt", "0,1,2,3,4,5,6,7,8,9," + c.t1_10_to_15 + "\n"},
                                {"Titl02.txt", "0,1,2,3,4,5,6,7," + c.t2_8_to_13 + "\n"}});
    TitleData data = Read();
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(data.cell[2][5 + i], c.row2_5_to_10[static_cast<std::size_t>(i)])
          << c.t1_10_to_15 << " / " << c.t2_8_to_13 << " column " << 5 + i;
    }
  }
}

TEST_F(TitleFilesTest, OverflowInARepairedValueIsFoundWhateverTheOthersHold) {
  struct Case {
    const char* t2;
    const char* named;  // the file the error names: the first overflow read
  };
  for (const Case& c : {Case{"0,1,2,3,4,5,6,7,5,1E39,0\n", "Titl02.txt"},
                        Case{"0,1,2,3,4,5,6,7,0,0,0,1E39\n", "Titl01.txt"}}) {
    WriteFiles(folder_.path(),
               {{"Titl01.txt", "0,1,2,3,4,5,6,7,8,9,0,1E39,5\n"}, {"Titl02.txt", c.t2}});
    try {
      Read();
      ADD_FAILURE() << c.t2 << ": no error";
    } catch (const NumberOverflowError& e) {
      EXPECT_EQ(e.path(), folder_.DriveForm() + c.named) << c.t2;
    }
  }
}

TEST_F(TitleFilesTest, QuotedFieldHoldsACommaAndColumn16IsTrimmed) {
  std::string t2 = "\"x,y\"";
  for (int n = 1; n < 41; ++n) t2 += n == 17 ? ",\"  1 \"" : ",f";
  WriteFiles(folder_.path(), {{"Titl02.txt", t2}});
  TitleData data = Read();
  EXPECT_EQ(data.cell[1][5], "x,y");
  EXPECT_EQ(data.cell[1][16], "1");
  EXPECT_EQ(data.title2_count, 41);
}

TEST_F(TitleFilesTest, ExtraFieldsAndLongFilesAreIgnoredSafely) {
  std::string t1 = Sj("県道");
  for (int n = 1; n < 5000; ++n) t1 += ",field" + std::to_string(n);
  ASSERT_GT(t1.size(), 32767u);
  WriteFile(folder_.path() / "Titl01.txt", t1);
  TitleData data = Read();
  EXPECT_EQ(data.title1_count, 5000);
  EXPECT_EQ(data.cell[1][1], Sj("県道"));
  EXPECT_EQ(data.cell[1][28], "field22");
}

}  // namespace
}  // namespace tavrimen
