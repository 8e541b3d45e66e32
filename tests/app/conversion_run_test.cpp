#include "app/conversion_run.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <functional>
#include <vector>

#include "platform/paths.h"
#include "reference/path_checks.h"
#include "support/data_set.h"
#include "support/drive_table.h"
#include "support/fake_window.h"

namespace tavrimen {
namespace {

using testing::FakeWindow;
using testing::FileNames;
using testing::MinimalBoring;
using testing::MinimalRecordFile;
using testing::Readable;
using testing::ReadFile;
using testing::ScopedDrives;
using testing::StandardPatdat;
using testing::TempFolder;
using testing::WriteFiles;

const std::string kConverting = "label:" + std::string(kConvertingText);
const std::string kConverted = "label:" + std::string(kConvertedText);

// Drive C: is a temporary folder holding PATDAT\, DATA\B-1\ and OUT\.
class ConversionRunTest : public ::testing::Test {
 protected:
  ConversionRunTest() : drives_("C=" + root_.path().string()) {
    WriteFiles(root_.path() / "PATDAT", StandardPatdat());
    WriteFiles(Source(), MinimalBoring());
    std::filesystem::create_directories(root_.path() / "OUT");
  }
  std::filesystem::path Source() const { return root_.path() / "DATA" / "B-1"; }
  std::filesystem::path Record() const { return root_.path() / "OUT" / "B-1"; }
  RunOutcome Run(FakeWindow& window) {
    return Command1_Click(window, drives_.Files(), "C:\\PATDAT\\");
  }

  TempFolder root_;
  ScopedDrives drives_;
};

std::string Message(std::string_view title, std::string_view text) {
  return "message:" + std::string(title) + "|" + std::string(text);
}

TEST_F(ConversionRunTest, SuccessfulRunWritesTheRecordFileAndSaysSo) {
  FakeWindow window("C:\\OUT", "C:\\DATA\\B-1");
#ifndef _WIN32
  auto open_descriptors = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                         std::filesystem::directory_iterator());
  };
  const auto before = open_descriptors();
  EXPECT_EQ(Run(window), RunOutcome::kConverted);
  EXPECT_EQ(open_descriptors(), before) << "a file was left open";
#else
  EXPECT_EQ(Run(window), RunOutcome::kConverted);
#endif
  EXPECT_EQ(window.events, (std::vector<std::string>{kConverting, "events", "pointer:hourglass",
                                                     "pointer:default", kConverted}));
  EXPECT_EQ(Readable(ReadFile(Record())), MinimalRecordFile());
  // The probes leave empty N8, N9 and X14 files; X5, X6, X7 and X11 are deleted again.
  EXPECT_EQ(FileNames(Source()),
            "CNT.TXT N8.TXT N9.TXT Titl01.txt Titl02.txt X1.txt X12.txt X14.txt X3.txt");
}

TEST_F(ConversionRunTest, RefusalsShowTheirMessageMoveTheFocusAndEmptyTheLabel) {
  struct Case {
    const char* name;
    std::string text1;
    std::string text2;
    std::vector<std::string> events;
  };
  const std::string drive_message = Message(kAppTitle, kDriveNameMessage);
  const std::vector<Case> cases = {
      {"empty source",
       "C:\\OUT",
       "   ",
       {kConverting, "events", drive_message, Message("", kBadPathMessage), "focus:Text2",
        "label:"}},
      {"wildcard in source",
       "C:\\OUT",
       "C:\\DA*TA",
       {kConverting, "events", Message("C:\\DA*TA", kBadPathMessage), "focus:Text2", "label:"}},
      {"source is a drive root",
       "C:\\OUT",
       "C:",
       {kConverting, "events", Message("C:\\", kDriveRootSourceMessage), "focus:Text2", "label:"}},
      {"destination on a missing drive",
       "Q:\\OUT",
       " C:\\DATA\\B-1 ",
       {kConverting, "events", Message("Q:\\OUT", kBadPathMessage), "focus:Text1", "label:"}},
      {"destination ends with a backslash",
       "C:\\OUT\\",
       "C:\\DATA\\B-1",
       {kConverting, "events", Message("C:\\DATA\\B-1\\", kTrailingBackslashMessage), "label:"}},
      {"destination drive root with backslash",
       "C:\\",
       "C:\\DATA\\B-1",
       {kConverting, "events", Message("C:\\DATA\\B-1\\", kTrailingBackslashMessage), "label:"}},
      {"folder creation declined",
       "C:\\NEW\\SUB",
       "C:\\DATA\\B-1",
       {kConverting, "events", Message(kAppTitle, kCreateFolderQuestion), "label:"}},
  };
  for (const Case& c : cases) {
    FakeWindow window(c.text1, c.text2);
    EXPECT_EQ(Run(window), RunOutcome::kRefused) << c.name;
    EXPECT_EQ(window.events, c.events) << c.name;
    EXPECT_EQ(window.pointer, Pointer::kDefault) << c.name;
  }
  EXPECT_FALSE(std::filesystem::exists(root_.path() / "NEW"));
  EXPECT_EQ(FileNames(root_.path() / "OUT"), "");
  EXPECT_EQ(FileNames(Source()), "CNT.TXT Titl01.txt Titl02.txt X1.txt X3.txt");
}

#ifndef _WIN32
TEST_F(ConversionRunTest, AFolderNameEndingInBlanksIsNeverTakenForAnother) {
  // Trimmed, "B-1 " would name the sibling B-1, and its data would be converted instead.
  WriteFiles(root_.path() / "DATA" / "B-1 ", MinimalBoring());
  std::filesystem::create_directories(root_.path() / "OUT ");
  FakeWindow source_window("C:\\OUT", "C:\\DATA\\B-1 ");
  EXPECT_EQ(Run(source_window), RunOutcome::kRefused);
  EXPECT_EQ(source_window.boxes.shown.at(0).text, kTrailingBlankMessage);
  EXPECT_EQ(source_window.events.at(3), "focus:Text2");
  FakeWindow destination_window("C:\\OUT ", "C:\\DATA\\B-1");
  EXPECT_EQ(Run(destination_window), RunOutcome::kRefused);
  EXPECT_EQ(destination_window.events.at(3), "focus:Text1");
  EXPECT_EQ(FileNames(root_.path() / "OUT"), "");
  // Blanks that name no such folder are trimmed as before.
  FakeWindow trimmed("C:\\OUT", "C:\\DATA\\B-1\\SUB ");
  std::filesystem::create_directories(Source() / "SUB");
  WriteFiles(Source() / "SUB", MinimalBoring());
  EXPECT_EQ(Run(trimmed), RunOutcome::kConverted);
}
#endif

TEST_F(ConversionRunTest, AFolderNameOfTheLongestLengthConverts) {
  // 85 kanji: 255 bytes in UTF-8, the longest name the file systems allow.
  std::string name;
  for (int i = 0; i < 85; ++i) name += "地";
  WriteFiles(root_.path() / "DATA" / platform::Utf8Path(name), MinimalBoring());
  FakeWindow window("C:\\OUT", "C:\\DATA\\" + name);
  EXPECT_EQ(Run(window), RunOutcome::kConverted) << window.boxes.shown.at(0).text;
  EXPECT_EQ(FileNames(root_.path() / "OUT"), name);
}

#ifndef _WIN32
TEST_F(ConversionRunTest, NewFilesAndFoldersFollowTheUmaskAndAReplacedFileKeepsItsMode) {
  const mode_t old_umask = umask(077);
  FakeWindow first("C:\\NEW", "C:\\DATA\\B-1");
  first.boxes.answers = {MessageAnswer::kYes};
  EXPECT_EQ(Run(first), RunOutcome::kConverted);
  testing::WriteFile(Record(), "earlier");
  std::filesystem::permissions(Record(), std::filesystem::perms(0640));
  FakeWindow second("C:\\OUT", "C:\\DATA\\B-1");
  EXPECT_EQ(Run(second), RunOutcome::kConverted);
  umask(old_umask);
  auto mode = [](const std::filesystem::path& path) {
    return static_cast<int>(std::filesystem::status(path).permissions());
  };
  EXPECT_EQ(mode(root_.path() / "NEW"), 0700);
  EXPECT_EQ(mode(root_.path() / "NEW" / "B-1"), 0600);
  EXPECT_EQ(mode(Record()), 0640);
}
#endif

TEST_F(ConversionRunTest, BadPathMessageHasTheExclamationIcon) {
  FakeWindow window("C:\\OUT", "C:\\DA?TA");
  Run(window);
  ASSERT_EQ(window.boxes.shown.size(), 1u);
  EXPECT_EQ(window.boxes.shown[0].icon, MessageIcon::kExclamation);
  EXPECT_EQ(window.boxes.shown[0].buttons, MessageButtons::kOk);
}

TEST_F(ConversionRunTest, MissingGeologyFileIsRefusedAfterTheProbeCreatedIt) {
  std::filesystem::remove(Source() / "X1.txt");
  FakeWindow window("C:\\NEW", "C:\\DATA\\B-1");
  window.boxes.answers = {MessageAnswer::kYes};
  EXPECT_EQ(Run(window), RunOutcome::kRefused);
  EXPECT_EQ(window.events, (std::vector<std::string>{
                               kConverting, "events", Message(kAppTitle, kCreateFolderQuestion),
                               "pointer:hourglass", Message("C:\\NEW\\", kNoGeologyMessage),
                               "focus:Text1", "label:", "pointer:default"}));
  EXPECT_TRUE(std::filesystem::is_directory(root_.path() / "NEW"));
  EXPECT_EQ(FileNames(root_.path() / "NEW"), "");
  EXPECT_EQ(std::filesystem::file_size(Source() / "X1.txt"), 0u);
}

TEST_F(ConversionRunTest, MissingSourceFolderIsRefusedWithoutCreatingAnything) {
  FakeWindow window("C:\\OUT", "C:\\DATA\\B-2");
  EXPECT_EQ(Run(window), RunOutcome::kRefused);
  EXPECT_EQ(window.events,
            (std::vector<std::string>{kConverting, "events", "pointer:hourglass",
                                      Message("C:\\DATA\\B-2\\", kNoSourceFolderMessage),
                                      "focus:Text2", "label:", "pointer:default"}));
  EXPECT_FALSE(std::filesystem::exists(root_.path() / "DATA" / "B-2"));
}

TEST_F(ConversionRunTest, YesCreatesTheMissingFoldersFromTheTopDown) {
  std::filesystem::create_directories(root_.path() / "A");
  FakeWindow window("C:\\A\\B\\C", "C:\\DATA\\B-1\\");
  window.boxes.answers = {MessageAnswer::kYes};
  EXPECT_EQ(Run(window), RunOutcome::kConverted);
  EXPECT_EQ(window.boxes.shown.size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(root_.path() / "A" / "B" / "C" / "B-1"));
}

TEST_F(ConversionRunTest, ExistingDestinationAsksNothingAndBareDriveWritesToTheRoot) {
  FakeWindow window("C:", "C:\\DATA\\B-1");
  EXPECT_EQ(Run(window), RunOutcome::kConverted);
  EXPECT_TRUE(window.boxes.shown.empty());
  EXPECT_TRUE(std::filesystem::exists(root_.path() / "B-1"));
}

TEST_F(ConversionRunTest, BlanksAroundTheDestinationDoNotReachTheFileName) {
  FakeWindow window("  C:\\OUT  ", "C:\\DATA\\B-1");
  EXPECT_EQ(Run(window), RunOutcome::kConverted);
  EXPECT_EQ(FileNames(root_.path() / "OUT"), "B-1");
}

TEST_F(ConversionRunTest, FailuresShowOneMessageLeaveTheWindowIdleAndKeepTheEarlierFile) {
  struct Case {
    const char* name;
    std::function<void()> damage;
    std::string message_start;
  };
  const std::vector<Case> cases = {
      {"missing L4 table", [&] { std::filesystem::remove(root_.path() / "PATDAT" / "L4.TXT"); },
       "参照テーブルを読み込めません。\nC:\\PATDAT\\L4.TXT\n"},
      {"missing KISHITU table",
       [&] { std::filesystem::remove(root_.path() / "PATDAT" / "KISHITU.TXT"); },
       "参照テーブルを読み込めません。\nC:\\PATDAT\\KISHITU.TXT\n"},
      {"number overflow",
       [&] {
         WriteFiles(Source(), {{"X1.txt", "1,1e39,20,0\n"}});
       },
       "数値が大きすぎるため変換できません。\nC:\\DATA\\B-1\\X1.txt\n"},
      {"more than 1000 lines",
       [&] {
         std::string records;
         for (int i = 0; i < 1000; ++i) records += "1," + std::to_string(i) + ",0,0,0,,,,,,\n";
         WriteFiles(Source(), {{"X5.TXT", records}});
       },
       "記録ファイルの行数が上限の1000行を超える"},
      {"record file path is a folder",
       [&] {
         std::filesystem::remove(Record());
         std::filesystem::create_directories(Record());
       },
       "記録ファイルを書き込めません。\nC:\\OUT\\B-1\n"},
  };
  for (const Case& c : cases) {
    WriteFiles(root_.path() / "PATDAT", StandardPatdat());
    std::filesystem::remove_all(Source());
    WriteFiles(Source(), MinimalBoring());
    std::filesystem::remove_all(Record());
    testing::WriteFile(Record(), "earlier record file");
    c.damage();
    FakeWindow window("C:\\OUT", "C:\\DATA\\B-1");
    EXPECT_EQ(Run(window), RunOutcome::kFailed) << c.name;
    ASSERT_EQ(window.boxes.shown.size(), 1u) << c.name;
    EXPECT_EQ(window.boxes.shown[0].text.rfind(c.message_start, 0), 0u)
        << c.name << ": " << window.boxes.shown[0].text;
    EXPECT_EQ(window.boxes.shown[0].title, kAppTitle) << c.name;
    EXPECT_EQ(window.boxes.shown[0].icon, MessageIcon::kExclamation) << c.name;
    EXPECT_EQ(window.label3, "") << c.name;
    EXPECT_EQ(window.pointer, Pointer::kDefault) << c.name;
    if (std::filesystem::is_regular_file(Record())) {
      EXPECT_EQ(ReadFile(Record()), "earlier record file") << c.name;
    }
    EXPECT_EQ(FileNames(root_.path() / "OUT"), "B-1") << c.name << ": a temporary file was left";
  }
}

TEST_F(ConversionRunTest, FolderThatCannotBeCreatedStopsTheRunWithItsMessage) {
  testing::WriteFile(root_.path() / "FILE", "a file where a folder is wanted");
  FakeWindow window("C:\\FILE\\SUB", "C:\\DATA\\B-1");
  window.boxes.answers = {MessageAnswer::kYes};
  EXPECT_EQ(Run(window), RunOutcome::kFailed);
  ASSERT_EQ(window.boxes.shown.size(), 2u);
  EXPECT_EQ(window.boxes.shown[1].text.rfind("フォルダを作成できません。\nC:\\FILE\\SUB\n", 0), 0u);
  EXPECT_EQ(window.label3, "");
}

TEST_F(ConversionRunTest, ASecondRunAfterARefusalConvertsCompletely) {
  FakeWindow refused("C:\\OUT\\", "C:\\DATA\\B-1");
  Run(refused);
  FakeWindow window("C:\\OUT", "C:\\DATA\\B-1");
  EXPECT_EQ(Run(window), RunOutcome::kConverted);
  EXPECT_EQ(Readable(ReadFile(Record())), MinimalRecordFile());
}

}  // namespace
}  // namespace tavrimen
