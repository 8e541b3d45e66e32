#include "app/folder_lists.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/native_paths.h"
#include "platform/paths.h"
#include "support/drive_table.h"
#include "support/temp_folder.h"

namespace tavrimen {
namespace {

using testing::ScopedDrives;
using testing::TempFolder;

std::string Shown(const std::vector<DirectoryEntry>& entries) {
  std::string text;
  for (const DirectoryEntry& e : entries) {
    text += std::to_string(e.level) + (e.open ? "+" : "-") + e.name + "=" + e.path + " ";
  }
  return text;
}

TEST(DirectoryEntriesTest, AncestorsOpenThenSubfoldersByNameWithoutHiddenOnes) {
  TempFolder root;
  for (const char* name : {"DATA/b", "DATA/A", "DATA/c", "DATA/.hidden", "DATA/南棟"}) {
    std::filesystem::create_directories(root.path() / platform::Utf8Path(name));
  }
  testing::WriteFile(root.path() / "DATA" / "file.txt", "not a folder");
  ScopedDrives drives("Q=" + root.path().string());
  // The root as people know it: its native path, or the drive itself on Windows.
  const std::string q = platform::kShowsNativePaths ? root.path().string() : "Q:\\";
  auto entries = DirectoryEntries(drives.Files(), "Q:\\DATA");
  ASSERT_TRUE(entries);
  EXPECT_EQ(Shown(*entries),
            "0+" + q +
                "=Q:\\ 1+DATA=Q:\\DATA 2-A=Q:\\DATA\\A 2-b=Q:\\DATA\\b 2-c=Q:\\DATA\\c "
                "2-南棟=Q:\\DATA\\南棟 ");
  EXPECT_EQ(ShownFolderRow(*entries), 1u);
  EXPECT_EQ(Shown(*DirectoryEntries(drives.Files(), "Q:\\")), "0+" + q + "=Q:\\ 1-DATA=Q:\\DATA ");
  EXPECT_FALSE(DirectoryEntries(drives.Files(), "Q:\\DATA\\missing"));
}

TEST(DirectoryEntriesTest, DeepFoldersKeepTheirSubfoldersAndNamesInView) {
  // Eight levels down, with two subfolders: rows 0-8 are open, 9 and 10 closed.
  std::vector<DirectoryEntry> entries;
  for (int level = 0; level <= 8; ++level) entries.push_back({"f", "p", level, true});
  entries.push_back({"s1", "p", 9, false});
  entries.push_back({"s2", "p", 9, false});
  EXPECT_EQ(FirstVisibleRow(entries, 5), 6u);   // rows 6-10: the shown folder and both below
  EXPECT_EQ(FirstVisibleRow(entries, 2), 8u);   // the shown folder first
  EXPECT_EQ(FirstVisibleRow(entries, 20), 0u);  // everything fits
  EXPECT_EQ(LevelIndent(12, 3, 80), 12);
  EXPECT_EQ(LevelIndent(12, 9, 80), 8);  // nine levels in 80 pixels
  EXPECT_EQ(LevelIndent(12, 0, 0), 12);
}

}  // namespace
}  // namespace tavrimen
