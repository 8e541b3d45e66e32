#include "output/layer_block.h"

#include <gtest/gtest.h>

#include "support/data_set.h"
#include "support/drive_table.h"

namespace tavrimen {
namespace {

using testing::Files;
using testing::TempFolder;
using testing::Utf8;
using testing::WriteFiles;

struct Case {
  const char* name;
  Files layer_files;
  std::vector<std::string> lines;  // from line 22, UTF-8
};

std::vector<std::string> WriteBlock(const Files& files) {
  TempFolder folder;
  WriteFiles(folder.path() / "P", testing::StandardPatdat());
  WriteFiles(folder.path() / "B", files);
  Dictionaries dictionaries;
  testing::TestDrives drives;
  platform::FileSystem& disk = drives.Files();
  LoadL4Names({disk, folder.DriveForm() + "P\\"}, dictionaries);
  LoadKishituTable({disk, folder.DriveForm() + "P\\"}, dictionaries);
  LayerCursor cursor(dictionaries, {disk, folder.DriveForm() + "B\\"});
  LineBuffer lines;
  lines.Clear();
  WriteLayerBlock(cursor, dictionaries, lines);
  std::vector<std::string> written;
  for (int i = LineBuffer::kFirstBlockLine; i < lines.NextLine(); ++i) {
    written.push_back(Utf8(lines.Line(i)));
  }
  return written;
}

TEST(LayerBlock, MergesTheSlotsIntoLayers) {
  const std::vector<Case> cases = {
      {"no layers", {}, {"-1"}},
      {"equal bottoms advance both slots",
       {{"X1.txt", "1,5.00,20,0\n"}, {"X3.txt", "1,5.0,06,0,,0,0\n"}},
       {"5.0 沖積粘性土 粘土 @ @ ", "-1", "-1"}},
      {"the smaller bottom ends the layer",
       {{"X1.txt", "1,1.0,10,0\n1,3.00,99,0\n"}, {"X3.txt", "1,2.5,05,0,,0,0\n1,3.00,03,0,,0,0\n"}},
       {"1.0 盛土 シルト @ @ ", "-1", "2.5 @ シルト @ @ ", "-1", "3.00 @ 砂 @ @ ", "-1", "-1"}},
      {"slot 2 exhausted first",
       {{"X1.txt", "1,1.00,10,0\n1,2.00,20,0\n"}, {"X3.txt", "1,1.00,03,0,,0,0\n"}},
       {"1.00 盛土 砂 @ @ ", "-1", "2.00 沖積粘性土 @ @ @ ", "-1", "-1"}},
      {"slot 1 exhausted first ends the block",
       {{"X1.txt", "1,1.00,10,0\n"}, {"X3.txt", "1,1.00,03,0,,0,0\n1,2.00,06,0,,0,0\n"}},
       {"1.00 盛土 砂 @ @ ", "-1", "-1"}},
      {"empty soil text keeps its blank",
       {{"X1.txt", "1,1.00,0,0\n"}, {"X3.txt", "1,1.00,,0,,0,0\n"}},
       {"1.00 @  @ @ ", "-1", "-1"}},
      {"slot 4 follows slot 1 after its step",
       {{"X1.txt", "1,3.00,10,0\n1,6.00,20,0\n"},
        {"X3.txt", "1,1.00,03,0,,0,0\n1,3.00,05,0,,0,0\n1,6.00,06,0,,0,0\n"},
        {"X14.txt", "1,3.00,\"  \",褐色,0,0\n1,6.00,灰色,軟らかい,0,0\n"}},
       {"1.00 盛土 砂 @ 褐色 ", "-1", "3.00 盛土 シルト 灰色 軟らかい ", "-1",
        "6.00 沖積粘性土 粘土 @ @ ", "-1", "-1"}},
      {"notes strictly above the bottom",
       {{"X1.txt", "1,2.00,10,0\n1,4.00,20,0\n"},
        {"X3.txt", "1,2.00,03,0,,0,0\n1,4.00,06,0,,0,0\n"},
        {"X12.txt", "1,1.00,上部\n1,,続き\n1,2.00,境界\n1,3.0,\n1,7.00,下\n"}},
       {"2.00 盛土 砂 @ @ ", "[1.00]上部", "続き", "-1", "4.00 沖積粘性土 粘土 @ @ ", "[2.00]境界",
        "-1", "-1"}},
  };
  for (const Case& c : cases) EXPECT_EQ(WriteBlock(c.layer_files), c.lines) << c.name;
}

}  // namespace
}  // namespace tavrimen
