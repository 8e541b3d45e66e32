#include "reference/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/data_set.h"
#include "support/drive_table.h"
#include "support/environment.h"

namespace tavrimen {
namespace {

using testing::TempFolder;
using testing::WriteCp932;
using testing::WriteFile;

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() { testing::SetEnv("TAVRIMEN_SYSTEM_DIR", system_.path().string() + "/"); }
  ~SettingsTest() override { testing::UnsetEnv("TAVRIMEN_SYSTEM_DIR"); }
  std::filesystem::path Ini() const { return system_.path() / "PatdatV5.ini"; }
  TempFolder system_;
};

TEST_F(SettingsTest, ReadsTheFirstFieldOfLineTwo) {
  struct Case {
    std::string content;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"[PATDAT]\r\n   C:\\PATDAT\\   \r\n", "C:\\PATDAT\\"},
      {"x\r\nC:\\PAT,DAT\\,more\r\n", "C:\\PAT\\"},
      {"x\r\n\"C:\\PAT,DAT\\\"\r\n", "C:\\PAT,DAT\\"},
      {"x\r\nC:\\データ\\\r\n", "C:\\データ\\"},
      {"x\nC:\\PATDAT", "C:\\PATDAT\\"},  // a final backslash is added
      {"only one line", ""},
  };
  for (const Case& c : cases) {
    WriteCp932(Ini(), c.content);
    EXPECT_EQ(ReadPatternFolderSetting(testing::TestDrives().Files()), c.expected) << c.content;
  }
}

#ifndef _WIN32
TEST_F(SettingsTest, NativePathBecomesDriveForm) {
  WriteCp932(Ini(), "x\n/usr/share/tavrimen/patdat/\n");
  EXPECT_EQ(ReadPatternFolderSetting(testing::TestDrives().Files()),
            "Z:\\usr\\share\\tavrimen\\patdat\\");
}
#endif

TEST_F(SettingsTest, FileNameIsMatchedWithoutRegardToCase) {
  WriteCp932(system_.path() / "PATDATV5.INI", "x\nC:\\UPPER\\\n");
  EXPECT_EQ(ReadPatternFolderSetting(testing::TestDrives().Files()), "C:\\UPPER\\");
  if (!std::filesystem::equivalent(Ini(), system_.path() / "PATDATV5.INI")) {
    WriteCp932(Ini(), "x\nC:\\EXACT\\\n");  // the exact spelling wins
    EXPECT_EQ(ReadPatternFolderSetting(testing::TestDrives().Files()), "C:\\EXACT\\");
  }
}

TEST_F(SettingsTest, MissingSettingLeavesNoFileBehind) {
  EXPECT_EQ(ReadPatternFolderSetting(testing::TestDrives().Files()), "");
  EXPECT_FALSE(std::filesystem::exists(Ini()));
}

TEST_F(SettingsTest, EmptySettingsFileIsDeleted) {
  WriteFile(Ini(), "");
  EXPECT_EQ(ReadPatternFolderSetting(testing::TestDrives().Files()), "");
  EXPECT_FALSE(std::filesystem::exists(Ini()));
}

TEST(Settings, MissingSystemFolderGivesNoSetting) {
  testing::SetEnv("TAVRIMEN_SYSTEM_DIR", "/nonexistent/tavrimen");
  EXPECT_EQ(ReadPatternFolderSetting(testing::TestDrives().Files()), "");
  testing::UnsetEnv("TAVRIMEN_SYSTEM_DIR");
}

}  // namespace
}  // namespace tavrimen
