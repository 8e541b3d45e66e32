#include "platform/native_paths.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "support/drive_table.h"

namespace tavrimen::platform {
namespace {

using testing::ScopedEnv;
using testing::TestDrives;

TEST(NativePaths, TypedPathsTakeTheDriveFormOfTheirDrive) {
  TestDrives drives("C=/srv/site");
  for (const char* kept : {"C:\\DATA\\", "  C:\\DATA ", "", "   ", "\\\\srv\\x"}) {
    EXPECT_EQ(DriveFormOfTyped(drives.table(), kept), kept);
  }
  EXPECT_EQ(DriveFormOfTyped(drives.table(), "C:/DATA/B-1"), "C:\\DATA\\B-1");
#ifndef _WIN32
  ScopedEnv home("HOME", "/home/me");
  drives.table().SetCurrentDirectory(*drives.table().Resolve("C:\\north"));
  const std::pair<const char*, const char*> cases[] = {
      {"/tmp/x/", "Z:\\tmp\\x"},
      {"/", "Z:"},
      {"/tmp/./x/../y", "Z:\\tmp\\y"},
      {"  /tmp/x ", "Z:\\tmp\\x "},  // pasted with blanks; the trailing ones are the run's to check
      {"/srv/site/B-1", "C:\\B-1"},  // the drive whose root is the longest leading part
      {"~", "Z:\\home\\me"},
      {"~/site/B-1", "Z:\\home\\me\\site\\B-1"},
      {"B-1", "C:\\north\\B-1"},  // from the current directory of the current drive
      {"../south", "C:\\south"},
      {"DATA\\SUB", "DATA\\SUB"},  // no POSIX name holds a backslash in drive form
  };
  for (const auto& [typed, drive_form] : cases) {
    EXPECT_EQ(DriveFormOfTyped(drives.table(), typed), drive_form) << typed;
  }
#endif
}

TEST(NativePaths, DriveFormIsShownNativelyWhereUsersReadNativePaths) {
  TestDrives drives("C=/srv/site");
  const std::string message = "ファイルを読み込めません。\nC:\\B-1\\X1.txt\nZ: is not a line";
  if (kShowsNativePaths) {
    EXPECT_EQ(ShownPath(drives.table(), "C:\\B-1\\"), "/srv/site/B-1");
    EXPECT_EQ(ShownPath(drives.table(), "Z:\\"), "/");
    EXPECT_EQ(ShownText(drives.table(), message),
              "ファイルを読み込めません。\n/srv/site/B-1/X1.txt\nZ: is not a line");
  } else {
    EXPECT_EQ(ShownPath(drives.table(), "C:\\B-1\\"), "C:\\B-1\\");
    EXPECT_EQ(ShownText(drives.table(), message), message);
  }
  // Text that names no drive stays as it is.
  EXPECT_EQ(ShownPath(drives.table(), "Q:\\x"), "Q:\\x");
  EXPECT_EQ(ShownText(drives.table(), "規定値のドライブ名が正しくありません。"),
            "規定値のドライブ名が正しくありません。");
}

}  // namespace
}  // namespace tavrimen::platform
