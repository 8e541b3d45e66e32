#include "reference/dictionaries.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "support/data_set.h"
#include "support/drive_table.h"

namespace tavrimen {
namespace {

using testing::Sj;
using testing::TempFolder;
using testing::WriteFiles;

class DictionariesTest : public ::testing::Test {
 protected:
  platform::DataFolder Patdat() { return {drives_.Files(), folder_.DriveForm()}; }
  TempFolder folder_;
  testing::TestDrives drives_;
  Dictionaries dictionaries_;
};

TEST_F(DictionariesTest, KishituFirstMatchingRowWinsAndZeroHasNoName) {
  WriteFiles(folder_.path(), {{"KISHITU.TXT",
                               "10,A,0,0,0,0\n20,B,0,0,0,0\n10,C,0,0,0,0\n"
                               "0,Z,0,0,0,0\n\"30\",Q,0,0,0,0\n"}});
  LoadKishituTable(Patdat(), dictionaries_);
  EXPECT_EQ(KishituNameOf(dictionaries_, 10), "A");
  EXPECT_EQ(KishituNameOf(dictionaries_, 20), "B");
  EXPECT_EQ(KishituNameOf(dictionaries_, 0), "");
  EXPECT_EQ(KishituNameOf(dictionaries_, 40), "");
  EXPECT_EQ(KishituNameOf(dictionaries_, 30), "Q");  // the loader reads every code as a number
}

TEST_F(DictionariesTest, ReloadLeavesNoNamesOfAnEarlierTable) {
  WriteFiles(folder_.path(),
             {{"KISHITU.TXT", "10,A,0,0,0,0\n20,B,0,0,0,0\n"}, {"L4.TXT", "5,X\n6,Y\n"}});
  LoadKishituTable(Patdat(), dictionaries_);
  LoadL4Names(Patdat(), dictionaries_);
  WriteFiles(folder_.path(), {{"KISHITU.TXT", "10,A,0,0,0,0\n"}, {"L4.TXT", "5,X\n"}});
  LoadKishituTable(Patdat(), dictionaries_);
  LoadL4Names(Patdat(), dictionaries_);
  EXPECT_EQ(KishituNameOf(dictionaries_, 20), "");
  EXPECT_EQ(L4NameOf(dictionaries_, 6), "");
}

TEST_F(DictionariesTest, KishituRowsBeyondTheTableAreIgnored) {
  std::string rows;
  for (int r = 1; r <= 1001; ++r)
    rows += std::to_string(r) + ",N" + std::to_string(r) + ",0,0,0,0\n";
  WriteFiles(folder_.path(), {{"KISHITU.TXT", rows}});
  LoadKishituTable(Patdat(), dictionaries_);
  EXPECT_EQ(KishituNameOf(dictionaries_, 1000), "N1000");
  EXPECT_EQ(KishituNameOf(dictionaries_, 1001), "");
}

TEST_F(DictionariesTest, L4LaterRowReplacesEarlierAndOutOfRangeCodesAreIgnored) {
  WriteFiles(folder_.path(), {{"L4.TXT", "5,X\n5,Y\n101,far\n-1,neg\nx,zero\n2.5,two\n"}});
  LoadL4Names(Patdat(), dictionaries_);
  EXPECT_EQ(L4NameOf(dictionaries_, 5), "Y");
  EXPECT_EQ(L4NameOf(dictionaries_, 0), "zero");
  EXPECT_EQ(L4NameOf(dictionaries_, 2), "two");  // 2.5 rounds half to even
  EXPECT_EQ(L4NameOf(dictionaries_, 101), std::nullopt);
  EXPECT_EQ(L4NameOf(dictionaries_, -1), std::nullopt);
}

TEST_F(DictionariesTest, MissingTableIsAnErrorNamingTheFile) {
  try {
    LoadL4Names(Patdat(), dictionaries_);
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_EQ(e.path(), folder_.DriveForm() + "L4.TXT");
  }
}

TEST_F(DictionariesTest, OverflowingCodeIsAnErrorNamingTheTable) {
  struct Case {
    const char* table;
    void (*load)(const platform::DataFolder&, Dictionaries&);
  };
  for (const Case& c : {Case{"KISHITU.TXT", LoadKishituTable}, Case{"L4.TXT", LoadL4Names}}) {
    WriteFiles(folder_.path(), {{c.table, "1,A,0,0,0,0\n1e39,B,0,0,0,0\n"}});
    try {
      c.load(Patdat(), dictionaries_);
      ADD_FAILURE() << c.table << ": no error";
    } catch (const NumberOverflowError& e) {
      EXPECT_EQ(e.path(), folder_.DriveForm() + c.table);
    }
  }
}

TEST(CodeTable, ComparesCodesNumericallyAndNeverMatchesTextCodes) {
  const CodeTable table(Sj("03,three\n\"4\",quoted\n5x,text\n,empty\n 7 ,seven\n1e99,huge\n"
                           "4,four\n3.0,again\n-0,minus zero\n0,zero\n"),
                        2);
  struct Case {
    float code;
    std::optional<std::string_view> expected;
  };
  for (const Case& c : std::vector<Case>{
           {3, "three"}, {4, "four"}, {5, std::nullopt}, {0, "minus zero"}, {7, "seven"}}) {
    EXPECT_EQ(table.Find(c.code), c.expected) << c.code;
  }
}

TEST(CodeTable, LooksCodesUpWithoutScanningTheTable) {
  // A lookup for each of 200,000 rows would take minutes by scanning.
  std::string rows;
  for (int code = 1; code <= 200'000; ++code) rows += std::to_string(code) + ",t\n";
  const CodeTable table(rows, 2);
  for (int code = 200'000; code > 100'000; --code) ASSERT_TRUE(table.Find(code)) << code;
}

TEST(CodeTable, ReadsRowsOfThreeItems) {
  const CodeTable table("1,a,x\n2,b,y\n", 3);
  EXPECT_EQ(table.Find(2), "b");
}

}  // namespace
}  // namespace tavrimen
