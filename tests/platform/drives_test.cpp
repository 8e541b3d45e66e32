#include "platform/drives.h"

#include <gtest/gtest.h>

#include "support/drive_table.h"
#include "support/temp_folder.h"

namespace tavrimen::platform {
namespace {

using testing::ScopedDrives;
using testing::TempFolder;
using testing::WriteFile;

#ifndef _WIN32
// On POSIX systems the drives come from the drive table alone.
TEST(Drives, DefaultDriveZStandsForTheRoot) {
  ScopedDrives drives("");
  ASSERT_EQ(Drives().size(), 1u);
  EXPECT_EQ(Drives()[0].letter, 'Z');
  EXPECT_EQ(ToNative("Z:\\usr\\lib"), std::filesystem::path("/usr/lib"));
  EXPECT_EQ(ToDriveForm("/usr/lib/"), "Z:\\usr\\lib");
  EXPECT_EQ(ToDriveForm("/"), "Z:\\");
  EXPECT_EQ(ToNative("Q:\\x"), std::nullopt);
}

TEST(Drives, TableFromTheEnvironmentAddsDrivesAndPicksTheLongestRoot) {
  TempFolder c, d;
  ScopedDrives drives("C=" + c.path().string() + ";d=" + d.path().string() + "/;bad;1=/x");
  ASSERT_EQ(Drives().size(), 3u);
  EXPECT_EQ(ToNative("C:\\DATA\\B-1"), c.path() / "DATA" / "B-1");
  EXPECT_EQ(ToNative("d:\\"), d.path());
  EXPECT_EQ(ToDriveForm(c.path() / "DATA"), "C:\\DATA");
  EXPECT_EQ(ToDriveForm("/usr"), "Z:\\usr");
}
#else
TEST(Drives, RealDrivesAndSubstitutedOnes) {
  TempFolder q;
  ScopedDrives drives("Q=" + q.path().string());
  bool has_c = false;
  for (const Drive& drive : Drives()) has_c = has_c || drive.letter == 'C';
  EXPECT_TRUE(has_c);
  EXPECT_EQ(ToNative("C:\\Windows"), std::filesystem::path("C:\\Windows"));
  EXPECT_EQ(ToNative("Q:\\DATA"), q.path() / "DATA");
}
#endif

TEST(Drives, EachDriveHasItsOwnCurrentDirectory) {
  TempFolder c;
  std::filesystem::create_directories(c.path() / "A" / "B");
  ScopedDrives drives("C=" + c.path().string());
  ASSERT_TRUE(ChangeDrive('c'));
  EXPECT_EQ(CurrentDirectory(), "C:\\");
  ASSERT_TRUE(ChangeDirectory("C:\\A\\B"));
  EXPECT_EQ(CurrentDirectory(), "C:\\A\\B");
  EXPECT_EQ(ToNative("C:rel"), c.path() / "A" / "B" / "rel");
  EXPECT_EQ(ToNative("..\\x"), c.path() / "A" / "x");
  // A slash separates folders too, and nothing leads above a drive's root.
  EXPECT_EQ(ToNative("C:\\A/B"), c.path() / "A" / "B");
  EXPECT_EQ(ToNative("C:\\/tmp/x"), c.path() / "tmp" / "x");
  EXPECT_EQ(ToNative("C:\\..\\..\\x"), c.path() / "x");
  EXPECT_FALSE(ChangeDirectory("C:\\missing"));
  ASSERT_TRUE(ChangeDrive('Z'));
  ASSERT_TRUE(ChangeDrive('C'));
  EXPECT_EQ(CurrentDirectory(), "C:\\A\\B");
}

TEST(Drives, ChangeDriveFailsForMissingOrUnreadableDrives) {
  TempFolder c;
  ScopedDrives drives("C=" + c.path().string() + "/gone");
  const char before = CurrentDrive();
  EXPECT_FALSE(ChangeDrive('C'));
  EXPECT_FALSE(ChangeDrive('Q'));
  EXPECT_EQ(CurrentDrive(), before);
}

#ifndef _WIN32
TEST(Drives, NamesAreMatchedWithoutRegardToLetterCase) {
  TempFolder t;
  WriteFile(t.path() / "Data" / "x5.txt", "1");
  ScopedDrives drives("C=" + t.path().string());
  EXPECT_EQ(ToNative("C:\\DATA\\X5.TXT"), t.path() / "Data" / "x5.txt");
  // A name that does not exist in any spelling keeps the caller's spelling.
  EXPECT_EQ(ToNative("C:\\data\\N8.TXT"), t.path() / "Data" / "N8.TXT");
}
#endif

}  // namespace
}  // namespace tavrimen::platform
