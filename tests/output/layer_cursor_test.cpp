#include "output/layer_cursor.h"

#include <gtest/gtest.h>

#include "support/data_set.h"
#include "support/drive_table.h"

// In the namespace of the test helpers, which the cases use throughout.
namespace tavrimen::testing {
namespace {

class LayerCursorTest : public ::testing::Test {
 protected:
  LayerCursorTest() {
    WriteFiles(folder_.path() / "P", {{"L4.TXT", "1,礫\n3,砂\n5,シルト\n6,粘土\n7,有機質土\n"}});
    LoadL4Names({files_, folder_.DriveForm() + "P\\"}, dictionaries_);
  }
  LayerCursor& Cursor() {
    cursor_.emplace(dictionaries_, DataFolder{files_, folder_.DriveForm()});
    for (int slot = 1; slot <= 4; ++slot) cursor_->layer_pos[slot] = 1;
    return *cursor_;
  }
  TempFolder folder_;
  TestDrives drives_;
  platform::FileSystem& files_ = drives_.Files();
  Dictionaries dictionaries_;
  std::optional<LayerCursor> cursor_;
};

TEST_F(LayerCursorTest, RecordsAreReadFromRememberedBytePositions) {
  WriteFile(folder_.path() / "X1.txt", "1,1.00,10,0\r\n1,2.00,20,0\r\n");
  LayerCursor& c = Cursor();
  EXPECT_EQ(c.ReadLayerRecord(1), 14);
  EXPECT_EQ(c.layer_field[2], "1.00");
  c.layer_pos[1] = 14;
  EXPECT_EQ(c.ReadLayerRecord(1), 25);  // the final line end is no data
  EXPECT_EQ(c.layer_field[3], "20");
  c.layer_pos[1] = 25;
  EXPECT_EQ(c.ReadLayerRecord(1), kExhausted);
  EXPECT_EQ(c.layer_field[2], "");
}

TEST_F(LayerCursorTest, TheSlotEndsAfterItsLastRecordWhateverFollows) {
  for (const char* tail : {"", "\r\n", "\n", " ", "\r\n\x1a", "\r\n\r\n"}) {
    WriteFile(folder_.path() / "X1.txt", std::string("1,1.00,10,0") + tail);
    LayerCursor& c = Cursor();
    c.AdvanceLayerX1();
    EXPECT_EQ(c.layer_depth[1], 1.0f) << "tail " << ::testing::PrintToString(tail);
    c.AdvanceLayerX1();
    EXPECT_EQ(c.layer_pos[1], kExhausted) << "tail " << ::testing::PrintToString(tail);
    EXPECT_EQ(c.layer_depth[1], kNoDepth);
  }
}

TEST_F(LayerCursorTest, SlotOneEmptiesItemsFiveToEightAfterEveryRead) {
  WriteFile(folder_.path() / "X1.txt", "1,1.00,10,0,extra,extra\r\n");
  LayerCursor& c = Cursor();
  for (int f = 1; f <= 8; ++f) c.layer_field[f] = "old";
  c.ReadLayerRecord(1);
  EXPECT_EQ(c.layer_field[4], "0");
  for (int f = 5; f <= 8; ++f) EXPECT_EQ(c.layer_field[f], "") << f;
}

TEST_F(LayerCursorTest, ShortLastRecordLeavesMissingItemsEmpty) {
  WriteFile(folder_.path() / "X1.txt", "1,1.00");
  LayerCursor& c = Cursor();
  c.layer_field[3] = "old";
  EXPECT_NE(c.ReadLayerRecord(1), kExhausted);
  EXPECT_EQ(c.layer_field[3], "");
}

TEST_F(LayerCursorTest, MissingLayerFileIsCreatedAndExhaustsTheSlot) {
  LayerCursor& c = Cursor();
  c.layer_kishitu_code = 42;
  c.AdvanceLayerX1();
  EXPECT_EQ(c.layer_depth[1], kNoDepth);
  EXPECT_EQ(c.layer_kishitu_code, 42);
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "X1.txt"));
}

TEST_F(LayerCursorTest, SoilTextsOfX3JoinL4NamesOfTwoDigitCodes) {
  struct Case {
    std::string item3;
    std::string item5;
    std::string text1, text2, text3;
  };
  const std::vector<Case> cases = {
      {"0105", "07", "礫シルト", "有機質土", "礫シルト～有機質土"},
      {"01", "", "礫", "", "礫"},
      {"1", "", "礫", "", "礫"},
      {"", "06", "", "粘土", "～粘土"},
      {"0399", "", "砂", "", "砂"},  // 99 has no name
      {"03x1", "", "砂", "", "砂"},  // "x1" holds no number
      {"-5", "", "", "", ""},        // below the table
      {"000000", "00", "", "", ""},
  };
  for (const Case& c : cases) {
    WriteFiles(folder_.path(), {{"X3.txt", "1,2.00," + c.item3 + ",0," + c.item5 + ",0,0\n"}});
    LayerCursor& cursor = Cursor();
    cursor.AdvanceLayerX3();
    EXPECT_EQ(Utf8(cursor.layer_soil_text.first_names), c.text1) << c.item3 << "/" << c.item5;
    EXPECT_EQ(Utf8(cursor.layer_soil_text.second_names), c.text2) << c.item3 << "/" << c.item5;
    EXPECT_EQ(Utf8(cursor.layer_soil_text.soil), c.text3) << c.item3 << "/" << c.item5;
    EXPECT_EQ(cursor.layer_depth[2], 2.0f);
    EXPECT_EQ(cursor.layer_depth_text[2], "2.00");
  }
}

TEST_F(LayerCursorTest, ExhaustedX3GivesTheNoValueMarkAndKeepsTheNames) {
  WriteFiles(folder_.path(), {{"X3.txt", "1,2.00,03,0,,0,0\n"}});
  LayerCursor& c = Cursor();
  c.AdvanceLayerX3();
  c.AdvanceLayerX3();
  EXPECT_EQ(c.layer_depth[2], kNoDepth);
  EXPECT_EQ(c.layer_soil_text.soil, "@");
  EXPECT_EQ(Utf8(c.layer_soil_text.first_names), "砂");
}

TEST_F(LayerCursorTest, X14TextsAreTestedTrimmedButKeptAsRead) {
  WriteFiles(folder_.path(), {{"X14.txt", "1,3.00,\"  \",\" 褐色 \",0,0\n1,4.00,灰色,,0,0\n"}});
  LayerCursor& c = Cursor();
  c.AdvanceLayerX14();
  EXPECT_EQ(c.layer_soil_text.x14_first, "@");
  EXPECT_EQ(Utf8(c.layer_soil_text.x14_second), " 褐色 ");
  c.AdvanceLayerX14();
  EXPECT_EQ(Utf8(c.layer_soil_text.x14_first), "灰色");
  EXPECT_EQ(c.layer_soil_text.x14_second, "@");
  c.AdvanceLayerX14();
  EXPECT_EQ(c.layer_depth[4], kNoDepth);
  EXPECT_EQ(c.layer_soil_text.x14_first, "@");
}

// Note groups of X12.txt: each case is the file's records (depth, note) and the lines of the
// first group.
TEST_F(LayerCursorTest, NotesAreWrappedAt70BytesAndAtBreakCharacters) {
  struct Case {
    const char* name;
    std::string records;
    std::vector<std::string> lines;
  };
  const std::string a70(70, 'a');
  std::string kanji35;
  for (int i = 0; i < 35; ++i) kanji35 += "漢";
  const std::vector<Case> cases = {
      {"71 half-width characters", "1,1.00," + a70 + "b\n", {a70, "b"}},
      {"36 double-byte characters", "1,1.00," + kanji35 + "字\n", {kanji35, "字"}},
      {"69 bytes and a kanji",
       "1,1.00," + std::string(69, 'a') + "字\n",
       {std::string(69, 'a'), "字"}},
      {"break at the end adds no line", "1,1.00,abc\\\n", {"abc"}},
      {"two breaks give an empty line", "1,1.00,abc\\\\def\n", {"abc", "", "def"}},
      {"full-width yen breaks", "1,1.00,abc￥def\n", {"abc", "def"}},
      {"kanji with trail byte 0x5C is no break", "1,1.00,表ソ\n", {"表ソ"}},
      {"each record starts a line",
       "1,1.00,abc\n1,,def\n1,0,ghi\n1,2.00,next\n",
       {"abc", "def", "ghi"}},
      {"empty notes give no line", "1,1.00,\n1,,\n1,2.00,next\n", {}},
      {"a break alone ends an empty line", "1,1.00,\\\n", {""}},
  };
  for (const Case& c : cases) {
    WriteFiles(folder_.path(), {{"X12.txt", c.records}});
    LayerCursor& cursor = Cursor();
    cursor.AdvanceLayerX12();
    ASSERT_EQ(cursor.note_line_count, static_cast<int>(c.lines.size())) << c.name;
    for (std::size_t j = 0; j < c.lines.size(); ++j) {
      EXPECT_EQ(Utf8(cursor.layer_note[j + 1]), c.lines[j]) << c.name << " line " << j + 1;
    }
    EXPECT_EQ(cursor.layer_depth_text[3], "1.00") << c.name;
  }
}

TEST_F(LayerCursorTest, TheRecordThatEndsAGroupIsReadAgainByTheNextStep) {
  WriteFiles(folder_.path(), {{"X12.txt", "1,1.00,first\n1,,more\n1,2.5,second\n"}});
  LayerCursor& c = Cursor();
  c.AdvanceLayerX12();
  EXPECT_EQ(c.note_line_count, 2);
  c.AdvanceLayerX12();
  EXPECT_EQ(c.layer_depth_text[3], "2.5");
  EXPECT_EQ(c.note_line_count, 1);
  EXPECT_EQ(c.layer_note[1], "second");
  EXPECT_NE(c.layer_pos[3], kExhausted);
  c.AdvanceLayerX12();
  EXPECT_EQ(c.layer_pos[3], kExhausted);
  EXPECT_EQ(c.layer_depth[3], kNoDepth);
}

TEST_F(LayerCursorTest, LongNoteGroupsAreNotCut) {
  std::string records = "1,1.00,first\n";
  for (int i = 0; i < 250; ++i) records += "1,,line" + std::to_string(i) + "\n";
  WriteFiles(folder_.path(), {{"X12.txt", records}});
  LayerCursor& c = Cursor();
  c.AdvanceLayerX12();
  EXPECT_EQ(c.note_line_count, 251);
  EXPECT_EQ(c.layer_note[251], "line249");
}

}  // namespace
}  // namespace tavrimen::testing
