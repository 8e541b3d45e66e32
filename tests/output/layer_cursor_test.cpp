#include "output/layer_cursor.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
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
    return *cursor_;
  }
  TempFolder folder_;
  TestDrives drives_;
  platform::FileSystem& files_ = drives_.Files();
  Dictionaries dictionaries_;
  std::optional<LayerCursor> cursor_;
};

TEST_F(LayerCursorTest, LayersAreReadInTurnAndTheLastGeologyCodeIsKept) {
  WriteFile(folder_.path() / "X1.txt", "1,1.00,10,0\r\n1,2.00,20,0\r\n");
  LayerCursor& c = Cursor();
  c.Advance(LayerSlot::kGeology);
  EXPECT_EQ(c.DepthText(LayerSlot::kGeology), "1.00");
  EXPECT_EQ(c.GeologyCode(), 10);
  c.Advance(LayerSlot::kGeology);
  EXPECT_EQ(c.Depth(LayerSlot::kGeology), 2.0f);
  EXPECT_EQ(c.GeologyCode(), 20);
  EXPECT_FALSE(c.Exhausted(LayerSlot::kGeology));
  c.Advance(LayerSlot::kGeology);  // the final line end is no data
  EXPECT_TRUE(c.Exhausted(LayerSlot::kGeology));
  EXPECT_EQ(c.Depth(LayerSlot::kGeology), kNoDepth);
  EXPECT_EQ(c.GeologyCode(), 20);
}

TEST_F(LayerCursorTest, TheSlotEndsAfterItsLastRecordWhateverFollows) {
  // A single byte after the last record's line end is no record either.
  for (const char* tail : {"", "\r\n", "\n", " ", "\r\n\x1a", "\r\n\r\n", "\r\nx"}) {
    WriteFile(folder_.path() / "X1.txt", std::string("1,1.00,10,0") + tail);
    LayerCursor& c = Cursor();
    c.Advance(LayerSlot::kGeology);
    EXPECT_EQ(c.Depth(LayerSlot::kGeology), 1.0f) << "tail " << ::testing::PrintToString(tail);
    c.Advance(LayerSlot::kGeology);
    EXPECT_TRUE(c.Exhausted(LayerSlot::kGeology)) << "tail " << ::testing::PrintToString(tail);
    EXPECT_EQ(c.Depth(LayerSlot::kGeology), kNoDepth);
  }
}

TEST_F(LayerCursorTest, ShortLastRecordLeavesMissingItemsEmpty) {
  WriteFile(folder_.path() / "X1.txt", "1,1.00,10,0\n1,2.00");
  LayerCursor& c = Cursor();
  c.Advance(LayerSlot::kGeology);
  c.Advance(LayerSlot::kGeology);
  EXPECT_FALSE(c.Exhausted(LayerSlot::kGeology));
  EXPECT_EQ(c.GeologyCode(), 0);
}

TEST_F(LayerCursorTest, MissingLayerFileIsCreatedAndExhaustsTheSlot) {
  LayerCursor& c = Cursor();
  c.Advance(LayerSlot::kGeology);
  EXPECT_TRUE(c.Exhausted(LayerSlot::kGeology));
  EXPECT_EQ(c.Depth(LayerSlot::kGeology), kNoDepth);
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "X1.txt"));
}

TEST_F(LayerCursorTest, OverflowingDepthIsAnErrorNamingTheSlotsFile) {
  struct Case {
    LayerSlot slot;
    const char* file;
  };
  for (const Case& c :
       {Case{LayerSlot::kGeology, "X1.txt"}, Case{LayerSlot::kSoil, "X3.txt"},
        Case{LayerSlot::kNotes, "X12.txt"}, Case{LayerSlot::kSoilTexts, "X14.txt"}}) {
    WriteFiles(folder_.path(), {{c.file, "1,1e39,0,0,0,0,0\n"}});
    try {
      Cursor().Advance(c.slot);
      ADD_FAILURE() << c.file << ": no error";
    } catch (const NumberOverflowError& e) {
      EXPECT_EQ(e.path(), folder_.DriveForm() + c.file);
    }
  }
}

TEST_F(LayerCursorTest, SoilTextsOfX3JoinL4NamesOfTwoDigitCodes) {
  struct Case {
    std::string item3;
    std::string item5;
    std::string soil;
  };
  const std::vector<Case> cases = {
      {"0105", "07", "礫シルト～有機質土"},
      {"01", "", "礫"},
      {"1", "", "礫"},
      {"", "06", "～粘土"},
      {"0399", "", "砂"},  // 99 has no name
      {"03x1", "", "砂"},  // "x1" holds no number
      {"-5", "", ""},      // below the table
      {"000000", "00", ""},
  };
  for (const Case& c : cases) {
    WriteFiles(folder_.path(), {{"X3.txt", "1,2.00," + c.item3 + ",0," + c.item5 + ",0,0\n"}});
    LayerCursor& cursor = Cursor();
    cursor.Advance(LayerSlot::kSoil);
    EXPECT_EQ(Utf8(cursor.Soil()), c.soil) << c.item3 << "/" << c.item5;
    EXPECT_EQ(cursor.Depth(LayerSlot::kSoil), 2.0f);
    EXPECT_EQ(cursor.DepthText(LayerSlot::kSoil), "2.00");
  }
}

TEST_F(LayerCursorTest, ExhaustedX3GivesTheNoValueMark) {
  WriteFiles(folder_.path(), {{"X3.txt", "1,2.00,03,0,,0,0\n"}});
  LayerCursor& c = Cursor();
  c.Advance(LayerSlot::kSoil);
  c.Advance(LayerSlot::kSoil);
  EXPECT_EQ(c.Depth(LayerSlot::kSoil), kNoDepth);
  EXPECT_EQ(c.Soil(), "@");
}

TEST_F(LayerCursorTest, X14TextsAreTestedTrimmedButKeptAsRead) {
  WriteFiles(folder_.path(), {{"X14.txt", "1,3.00,\"  \",\" 褐色 \",0,0\n1,4.00,灰色,,0,0\n"}});
  LayerCursor& c = Cursor();
  c.Advance(LayerSlot::kSoilTexts);
  EXPECT_EQ(c.Colour(), "@");
  EXPECT_EQ(Utf8(c.Density()), " 褐色 ");
  c.Advance(LayerSlot::kSoilTexts);
  EXPECT_EQ(Utf8(c.Colour()), "灰色");
  EXPECT_EQ(c.Density(), "@");
  c.Advance(LayerSlot::kSoilTexts);
  EXPECT_EQ(c.Depth(LayerSlot::kSoilTexts), kNoDepth);
  EXPECT_EQ(c.Colour(), "@");
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
    cursor.Advance(LayerSlot::kNotes);
    ASSERT_EQ(cursor.NoteLines().size(), c.lines.size()) << c.name;
    for (std::size_t j = 0; j < c.lines.size(); ++j) {
      EXPECT_EQ(Utf8(cursor.NoteLines()[j]), c.lines[j]) << c.name << " line " << j + 1;
    }
    EXPECT_EQ(cursor.DepthText(LayerSlot::kNotes), "1.00") << c.name;
  }
}

TEST_F(LayerCursorTest, TheRecordThatEndsAGroupIsReadAgainByTheNextStep) {
  WriteFiles(folder_.path(), {{"X12.txt", "1,1.00,first\n1,,more\n1,2.5,second\n"}});
  LayerCursor& c = Cursor();
  c.Advance(LayerSlot::kNotes);
  EXPECT_EQ(c.NoteLines().size(), 2u);
  c.Advance(LayerSlot::kNotes);
  EXPECT_EQ(c.DepthText(LayerSlot::kNotes), "2.5");
  EXPECT_EQ(c.NoteLines(), std::vector<std::string>{"second"});
  EXPECT_FALSE(c.Exhausted(LayerSlot::kNotes));
  c.Advance(LayerSlot::kNotes);
  EXPECT_TRUE(c.Exhausted(LayerSlot::kNotes));
  EXPECT_EQ(c.Depth(LayerSlot::kNotes), kNoDepth);
}

TEST_F(LayerCursorTest, LongNoteGroupsAreNotCut) {
  std::string records = "1,1.00,first\n";
  for (int i = 0; i < 250; ++i) records += "1,,line" + std::to_string(i) + "\n";
  WriteFiles(folder_.path(), {{"X12.txt", records}});
  LayerCursor& c = Cursor();
  c.Advance(LayerSlot::kNotes);
  EXPECT_EQ(c.NoteLines().size(), 251u);
  EXPECT_EQ(c.NoteLines().back(), "line249");
}

}  // namespace
}  // namespace tavrimen::testing
