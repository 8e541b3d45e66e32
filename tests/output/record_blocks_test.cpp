#include "output/record_blocks.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/errors.h"
#include "support/data_set.h"
#include "support/drive_table.h"

namespace tavrimen {
namespace {

using testing::FileNames;
using testing::Files;
using testing::TempFolder;
using testing::Utf8;
using testing::WriteFiles;

using Block = std::function<void(const DataFolder& folder, CodeTables&, LineBuffer&)>;

struct Case {
  const char* name;
  Files files;
  std::vector<std::string> lines;  // UTF-8
};

// Writes `files` into a source folder B beside the standard pattern-data folder P, runs `block`
// and returns the lines it appended.
class RecordBlocksTest : public ::testing::Test {
 protected:
  std::vector<std::string> Run(const Files& files, const Block& block) {
    std::filesystem::remove_all(Source());
    WriteFiles(folder_.path() / "P", patdat_);
    WriteFiles(Source(), files);
    platform::FileSystem& disk = drives_.Files();
    CodeTables tables({disk, folder_.DriveForm() + "P\\"});
    LineBuffer lines;
    lines.Clear();
    block({disk, folder_.DriveForm() + "B\\"}, tables, lines);
    std::vector<std::string> written;
    for (int i = LineBuffer::kFirstBlockLine; i < lines.NextLine(); ++i) {
      written.push_back(Utf8(lines.Line(i)));
    }
    return written;
  }
  void Check(const std::vector<Case>& cases, const Block& block) {
    for (const Case& c : cases) EXPECT_EQ(Run(c.files, block), c.lines) << c.name;
  }
  std::filesystem::path Source() const { return folder_.path() / "B"; }

  TempFolder folder_;
  testing::TestDrives drives_;
  Files patdat_ = testing::StandardPatdat();
};

const Block kX5 = [](const DataFolder& folder, CodeTables&, LineBuffer& lines) {
  WriteX5Block(folder, lines);
};
const Block kX6With1400 = [](const DataFolder& folder, CodeTables& tables, LineBuffer& lines) {
  Write1400Lines(WriteX6Block(folder, lines), tables, lines);
};
const Block kX11 = [](const DataFolder& folder, CodeTables& tables, LineBuffer& lines) {
  WriteX11Block(folder, tables, lines);
};
const Block kDated = [](const DataFolder& folder, CodeTables&, LineBuffer& lines) {
  WriteDatedBlocks(folder, "B-1", lines);
};
const Block kX7 = [](const DataFolder& folder, CodeTables& tables, LineBuffer& lines) {
  WriteX7Block(folder, tables, lines);
};

// An X6 record: name, kind, top, bottom and the codes 1 to 20 (missing ones empty).
std::string X6(const std::string& name, const std::string& kind, const std::string& top,
               const std::string& bottom, std::vector<std::string> codes) {
  codes.resize(20);
  std::string record = "1," + name + "," + kind + ",0," + top + "," + bottom + ",0,0";
  for (const std::string& code : codes) record += "," + code;
  for (int i = 0; i < 40; ++i) record += ",0";
  return record + "\n";
}

// An X7 record: the two values and slots (slot number, code, text).
struct Slot {
  int slot;
  std::string code;
  std::string text;
};
std::string X7(const std::string& first, const std::string& second,
               const std::vector<Slot>& slots) {
  std::vector<std::string> codes(20), texts(20);
  for (const Slot& s : slots) {
    codes[static_cast<std::size_t>(s.slot - 1)] = s.code;
    texts[static_cast<std::size_t>(s.slot - 1)] = s.text;
  }
  std::string record = "1,0,0,0," + first + "," + second + ",0,0";
  for (const std::string& code : codes) record += "," + code;
  for (int i = 0; i < 20; ++i) record += ",0";
  for (const std::string& text : texts) record += "," + text;
  return record + "\n";
}

TEST_F(RecordBlocksTest, X5DepthIsWholeMetresPlusHundredthsCut) {
  Check(
      {{"worked example", {{"X5.TXT", "1,3,0,0,15,12,,,,,\n"}}, {"3 3.15 12 -1 -1 -1 -1 -1", "-1"}},
       {"no hundredths", {{"X5.TXT", "1,3,0,0,,1,2,3,4,5,6\n"}}, {"3 3.00 1 2 3 4 5 6", "-1"}},
       {"below one metre", {{"X5.TXT", "1,0,0,0,50,,,,,,\n"}}, {"0 .50 -1 -1 -1 -1 -1 -1", "-1"}},
       {"cut, not rounded",
        {{"X5.TXT", "1,1,0,0,1.5,,,,,,\n"}},
        {"1 1.01 -1 -1 -1 -1 -1 -1", "-1"}},
       {"single precision sum",
        {{"X5.TXT", "1,2,0,0,10,5,,,,,\n"}},
        {"2 2.10 5 -1 -1 -1 -1 -1", "-1"}},
       {"empty depth field", {{"X5.TXT", "1,,0,0,,,,,,,\n"}}, {" 0.00 -1 -1 -1 -1 -1 -1", "-1"}},
       {"records by item count",
        {{"X5.TXT", "1,1,0,0,0,1,\n2,3,4,5\n1,2,0,0,0,,,,,,\n"}},
        {"1 1.00 1 -1 2 3 4 5", "2 2.00 -1 -1 -1 -1 -1 -1", "-1"}},
       {"absent", {}, {"-1"}}},
      kX5);
  EXPECT_EQ(FileNames(Source()), "");  // the probe's empty file is deleted again
}

TEST_F(RecordBlocksTest, X6LinesAndThe1400Lines) {
  Check({{"kinds and marks",
          {{"X6.TXT", X6("A", "1", "1.00", "2.00", {"1", "2"}) + X6("", "2", "2.00", "3.50", {}) +
                          X6("C", "7", "", "", {}) + X6("D", "", "4", "5", {}) +
                          X6("E", "2x", "5", "6", {}) + X6("F", "3", "6", "7", {})}},
          {"1.00 2.00 A T", "2.00 3.50 @ D", "9999 9999 C F", "4 5 D A", "5 6 E A", "6 7 F A", "-1",
           "1400 abcdef", "1400 @", "1400 @", "1400 @", "1400 @", "1400 @"}},
         {"codes 11 to 20 are not used",
          {{"X6.TXT", X6("A", "1", "1", "2", {"", "0", "", "", "", "", "", "", "", "", "1", "2"})}},
          {"1 2 A T", "-1", "1400 @"}},
         {"two-character columns of codes",
          {{"X6.TXT",
            X6("A", "1", "1", "2", {"101", "\"  2 \"", "12", "5x", "", "", "", "", "", "1"})}},
          {"1 2 A T", "-1", "1400 abcdefghijab"}},
         {"absent", {}, {"-1"}}},
        kX6With1400);
  EXPECT_EQ(FileNames(Source()), "");
}

TEST_F(RecordBlocksTest, X11TopsFollowThePreviousBottom) {
  Check({{"worked example",
          {{"X11.TXT", "1,1.20,1,0,0\n1,3.50,2,0,0\n"}},
          {"0.00 1.20 自然水位", "1.21 3.50 被圧水位", "-1"}},
         {"single-precision bottom widened",
          {{"X11.TXT", "1,2.3,1,0,0\n1,4,1,0,0\n"}},
          {"0.00 2.3 自然水位", "2.30 4 自然水位", "-1"}},
         {"previous bottom empty, zero or text",
          {{"X11.TXT", "1,,9,0,0\n1,0,1,0,0\n1,x,1,0,0\n1,5,1,0,0\n"}},
          {"0.00 9999 @", " 0 自然水位", "0 x 自然水位", "x 5 自然水位", "-1"}},
         {"absent", {}, {"-1"}}},
        kX11);
  EXPECT_EQ(FileNames(Source()), "");
}

TEST_F(RecordBlocksTest, X11NonNumericCodeMatchesARowOfCodeZero) {
  patdat_["L10.TXT"] = "x,text code\n0,zero\n1,one\n";
  Check({{"code x", {{"X11.TXT", "1,1,x,0,0\n"}}, {"0.00 1 zero", "-1"}}}, kX11);
}

TEST_F(RecordBlocksTest, DatedBlocksAroundTheFixed1100Lines) {
  const std::vector<std::string> fixed = {"1100 b_no B-1", "1100 s_no @", "1100 minw -1",
                                          "1100 org @", "1100 mod @"};
  auto with = [&](std::vector<std::string> n8, std::vector<std::string> n9) {
    n8.push_back("-1");
    n8.insert(n8.end(), fixed.begin(), fixed.end());
    n8.insert(n8.end(), n9.begin(), n9.end());
    return n8;
  };
  Check(
      {{"worked example",
        {{"N8.TXT", "1,2001/07/15,2.35\n"}, {"N9.TXT", "1,2001/07/15,2.35\n"}},
        with({"2.35 07 15"}, {"1200 2.35 07 15"})},
       {"short dates and empty values",
        {{"N8.TXT", "1,2001/07/1,\n1,2001/7,1\n1,,2\n"}, {"N9.TXT", "1,２００１／０７／１５,3\n"}},
        with({"9999 07 1", "1 7 -1", "2 -1 -1"}, {"1200 3 ０７ １５"})},
       {"absent", {}, with({}, {})}},
      kDated);
  EXPECT_EQ(FileNames(Source()), "N8.TXT N9.TXT");  // left behind by the probes
}

TEST_F(RecordBlocksTest, X7PairsEachSlotWithTheNextOfItsCode) {
  Check({{"worked example",
          {{"X7.TXT", X7("1.00", "2.50", {{1, "3", "a1"}, {4, "03", "b4"}})}},
          {"1300 1.00 2.50 現場透水試験 a1,b4", "1300 1.00 2.50 現場透水試験 b4"}},
         {"three slots of one code",
          {{"X7.TXT", X7("", "4.00", {{2, "1", "x"}, {5, "1", "y"}, {9, "1.0", "z"}})}},
          {"1300 9999 4.00 標準貫入試験 x,y", "1300 9999 4.00 標準貫入試験 y,z",
           "1300 9999 4.00 標準貫入試験 z"}},
         {"texts and names missing",
          {{"X7.TXT", X7("5", "", {{1, "1", ""}, {3, "9", ""}, {4, "9", "q"}, {20, "3", "r"}})}},
          {"1300 5 9999 標準貫入試験 @", "1300 5 9999 @ q", "1300 5 9999 @ q",
           "1300 5 9999 現場透水試験 r"}},
         {"unused slots",
          {{"X7.TXT", X7("1", "2", {{1, "0", "a"}, {2, "", "b"}, {3, "0.0", "c"}})}},
          {}},
         {"absent", {}, {}}},
        kX7);
  EXPECT_EQ(FileNames(Source()), "");
}

TEST_F(RecordBlocksTest, MissingReferenceTableStopsTheBlockWithItsName) {
  patdat_.erase("L8.TXT");
  patdat_.erase("L10.TXT");
  patdat_.erase("L100.TXT");
  std::filesystem::remove_all(folder_.path() / "P");
  // Without a lookup the tables are not needed.
  EXPECT_EQ(Run({{"X7.TXT", X7("1", "2", {})}}, kX7), std::vector<std::string>{});
  EXPECT_THROW(Run({{"X7.TXT", X7("1", "2", {{1, "1", "a"}})}}, kX7), IoError);
  EXPECT_THROW(Run({{"X11.TXT", "1,1,1,0,0\n"}}, kX11), IoError);
  EXPECT_THROW(Run({{"X6.TXT", X6("A", "1", "1", "2", {"1"})}}, kX6With1400), IoError);
  EXPECT_EQ(Run({{"X6.TXT", X6("A", "1", "1", "2", {})}}, kX6With1400),
            (std::vector<std::string>{"1 2 A T", "-1", "1400 @"}));
}

TEST_F(RecordBlocksTest, MoreThanAHundredX6RecordsAreAllKept) {
  std::string records;
  for (int i = 0; i < 150; ++i) records += X6("S" + std::to_string(i), "1", "1", "2", {"1"});
  const std::vector<std::string> lines = Run({{"X6.TXT", records}}, kX6With1400);
  ASSERT_EQ(lines.size(), 301u);
  EXPECT_EQ(lines[149], "1 2 S149 T");
  EXPECT_EQ(lines[300], "1400 ab");
}

}  // namespace
}  // namespace tavrimen
