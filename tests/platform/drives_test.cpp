#include <gtest/gtest.h>

#include "platform/disk_file_system.h"
#include "platform/drive_table.h"
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
  DiskFileSystem& files = drives.Files();
  ASSERT_EQ(drives.table().Drives().size(), 1u);
  EXPECT_EQ(drives.table().Drives()[0].letter, 'Z');
  EXPECT_EQ(files.ToNative("Z:\\usr\\lib"), std::filesystem::path("/usr/lib"));
  EXPECT_EQ(drives.table().ToDriveForm("/usr/lib/"), "Z:\\usr\\lib");
  EXPECT_EQ(drives.table().ToDriveForm("/"), "Z:\\");
  EXPECT_EQ(files.ToNative("Q:\\x"), std::nullopt);
}

TEST(Drives, TableFromTheEnvironmentAddsDrivesAndPicksTheLongestRoot) {
  TempFolder c, d;
  ScopedDrives drives("C=" + c.path().string() + ";d=" + d.path().string() + "/;bad;1=/x");
  ASSERT_EQ(drives.table().Drives().size(), 3u);
  EXPECT_EQ(drives.Files().ToNative("C:\\DATA\\B-1"), c.path() / "DATA" / "B-1");
  EXPECT_EQ(drives.Files().ToNative("d:\\"), d.path());
  EXPECT_EQ(drives.table().ToDriveForm(c.path() / "DATA"), "C:\\DATA");
  EXPECT_EQ(drives.table().ToDriveForm("/usr"), "Z:\\usr");
  EXPECT_EQ(DriveTable::FromEnvironment().Drives().size(), 3u);
}
#else
TEST(Drives, RealDrivesAndSubstitutedOnes) {
  TempFolder q;
  ScopedDrives drives("Q=" + q.path().string());
  bool has_c = false;
  for (const Drive& drive : drives.table().Drives()) has_c = has_c || drive.letter == 'C';
  EXPECT_TRUE(has_c);
  EXPECT_EQ(drives.Files().ToNative("C:\\Windows"), std::filesystem::path("C:\\Windows"));
  EXPECT_EQ(drives.Files().ToNative("Q:\\DATA"), q.path() / "DATA");
}
#endif

TEST(Drives, EachDriveHasItsOwnCurrentDirectoryAndEachTableItsOwnCurrentDrive) {
  TempFolder c;
  std::filesystem::create_directories(c.path() / "A" / "B");
  ScopedDrives drives("C=" + c.path().string());
  DriveTable other = drives.table();
  DiskFileSystem& files = drives.Files();
  ASSERT_TRUE(ChangeDrive(files, drives.table(), 'c'));
  EXPECT_EQ(files.CurrentDirectory(), "C:\\");
  ASSERT_TRUE(ChangeDirectory(files, drives.table(), "C:\\A\\B"));
  EXPECT_EQ(files.CurrentDirectory(), "C:\\A\\B");
  EXPECT_EQ(files.ToNative("C:rel"), c.path() / "A" / "B" / "rel");
  EXPECT_EQ(files.ToNative("..\\x"), c.path() / "A" / "x");
  // A slash separates folders too, and nothing leads above a drive's root.
  EXPECT_EQ(files.ToNative("C:\\A/B"), c.path() / "A" / "B");
  EXPECT_EQ(files.ToNative("C:\\/tmp/x"), c.path() / "tmp" / "x");
  EXPECT_EQ(files.ToNative("C:\\..\\..\\x"), c.path() / "x");
  EXPECT_FALSE(ChangeDirectory(files, drives.table(), "C:\\missing"));
  ASSERT_TRUE(ChangeDrive(files, drives.table(), 'Z'));
  ASSERT_TRUE(ChangeDrive(files, drives.table(), 'C'));
  EXPECT_EQ(files.CurrentDirectory(), "C:\\A\\B");
  // A copy of the table changes apart from the original.
  EXPECT_EQ(other.CurrentDirectoryOf('C'), "C:\\");
  EXPECT_EQ(drives.table().CurrentDirectoryOf('C'), "C:\\A\\B");
}

TEST(Drives, TheCurrentDirectoryAtStartIsTheWorkingFolder) {
  TempFolder c;
  std::filesystem::create_directories(c.path() / "SUB");
  testing::ScopedWorkingDirectory working(c.path() / "SUB");
  const DriveTable table("C=" + c.path().string());
  EXPECT_EQ(table.CurrentDrive(), 'C');
  EXPECT_EQ(table.CurrentDirectoryOf('C'), "C:\\SUB");
}

TEST(Drives, ChangeDriveFailsForMissingOrUnreadableDrives) {
  TempFolder c;
  ScopedDrives drives("C=" + c.path().string() + "/gone");
  DiskFileSystem& files = drives.Files();
  const char before = drives.table().CurrentDrive();
  EXPECT_FALSE(ChangeDrive(files, drives.table(), 'C'));
  EXPECT_FALSE(ChangeDrive(files, drives.table(), 'Q'));
  EXPECT_EQ(drives.table().CurrentDrive(), before);
}

#ifndef _WIN32
TEST(Drives, NamesAreMatchedWithoutRegardToLetterCaseFromOneListingPerFolder) {
  TempFolder t;
  WriteFile(t.path() / "Data" / "x5.txt", "1");
  ScopedDrives drives("C=" + t.path().string());
  DiskFileSystem& files = drives.Files();
  EXPECT_EQ(files.ToNative("C:\\DATA\\X5.TXT"), t.path() / "Data" / "x5.txt");
  // A name that does not exist in any spelling keeps the caller's spelling.
  EXPECT_EQ(files.ToNative("C:\\data\\N8.TXT"), t.path() / "Data" / "N8.TXT");
  // The folder's listing is kept true after the object's own creations and deletions.
  EXPECT_EQ(files.ProbeFile("C:\\Data\\N8.TXT"), 0u);
  EXPECT_EQ(files.ToNative("C:\\data\\n8.txt"), t.path() / "Data" / "N8.TXT");
  files.DeleteFileQuietly("C:\\Data\\N8.TXT");
  EXPECT_EQ(files.ToNative("C:\\data\\n8.txt"), t.path() / "Data" / "n8.txt");
  // Later changes by others are seen by the next run's file system, not this one's.
  WriteFile(t.path() / "Data" / "X6.TXT", "1");
  EXPECT_EQ(files.ToNative("C:\\data\\x6.txt"), t.path() / "Data" / "x6.txt");
  EXPECT_EQ(drives.Files().ToNative("C:\\data\\x6.txt"), t.path() / "Data" / "X6.TXT");
}
#endif

}  // namespace
}  // namespace tavrimen::platform
