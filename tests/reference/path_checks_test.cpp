#include "reference/path_checks.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/folder_path.h"
#include "app/messages.h"
#include "support/drive_table.h"
#include "support/fake_message_boxes.h"
#include "support/temp_folder.h"

namespace tavrimen {
namespace {

using testing::FakeMessageBoxes;
using testing::ScopedDrives;
using testing::TempFolder;

TEST(ValidateFolderPath, NormalisesAndChecksPaths) {
  TempFolder c;
  ScopedDrives drives("C=" + c.path().string());
  struct Case {
    std::string path;
    bool accepted;
    std::string normalised;
    bool drive_message;
  };
  const std::vector<Case> cases = {
      {"  C:\\DATA  ", true, "C:\\DATA\\", false},
      {"C:", true, "C:\\", false},
      {"c:data", true, "c:\\data\\", false},
      {"C:\\DATA\\", true, "C:\\DATA\\", false},
      {"", false, "", true},
      {"   ", false, "", true},
      {"DATA\\SUB", false, "DATA\\SUB", true},
      {"\\\\server\\share", false, "\\\\server\\share", true},
      {"地質:\\DATA", false, "地質:\\DATA", true},
      {"C:\\DA*TA", false, "C:\\DA*TA", false},
      {"C:\\DA?TA", false, "C:\\DA?TA", false},
      {"Q:\\DATA", false, "Q:\\DATA", false},
      {"C:\\DATA\\\\SUB", false, "C:\\DATA\\\\SUB\\", false},
      {"ｱ:\\DATA", false, "ｱ:\\DATA", false},
  };
  for (const Case& c_ : cases) {
    FakeMessageBoxes boxes;
    std::string path = c_.path;
    EXPECT_EQ(ValidateFolderPath(drives.Files(), path, boxes), c_.accepted) << c_.path;
    EXPECT_EQ(path, c_.normalised) << c_.path;
    ASSERT_EQ(boxes.shown.size(), c_.drive_message ? 1u : 0u) << c_.path;
    if (c_.drive_message) {
      EXPECT_EQ(boxes.shown[0].text, kDriveNameMessage);
      EXPECT_EQ(boxes.shown[0].icon, MessageIcon::kInformation);
      EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::kOk);
      EXPECT_EQ(boxes.shown[0].title, "Tavrimen Zm38");
    }
  }
}

TEST(ValidateFolderPath, LeavesTheCurrentDriveAsItIs) {
  TempFolder c;
  ScopedDrives drives("C=" + c.path().string());
  FakeMessageBoxes boxes;
  const char before = drives.table().CurrentDrive();
  for (std::string path : {"Z:\\tmp", "c:\\"}) {
    ASSERT_TRUE(ValidateFolderPath(drives.Files(), path, boxes));
    EXPECT_EQ(drives.table().CurrentDrive(), before) << path;
  }
}

TEST(PathParts, CountsAndSplitsByCharacters) {
  EXPECT_EQ(CountPathParts("D:\\OUT\\SUB\\", "\\"), 3);
  EXPECT_EQ(CountPathParts("D:", "\\"), 0);
  EXPECT_EQ(CountPathParts("D:\\表示\\ソフト\\", "\\"), 3);  // trail bytes 0x5C are no separators

  struct Case {
    std::string path;
    std::vector<std::string> parts;  // from part 1
  };
  const std::vector<Case> cases = {
      {"D:\\OUT\\SUB\\", {"D:", "OUT", "SUB", ""}},
      {"no separators", {"no separators"}},
      {"", {""}},
      {"D:\\表示\\ソフト\\", {"D:", "表示", "ソフト", ""}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> parts(3, "old");
    SplitPath(c.path, "\\", parts);
    std::vector<std::string> got(parts.begin() + 1, parts.begin() + 1 + c.parts.size());
    EXPECT_EQ(got, c.parts) << c.path;
  }
}

}  // namespace
}  // namespace tavrimen
