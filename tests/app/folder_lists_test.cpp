#include "app/folder_lists.h"

#include <gtest/gtest.h>

#include <filesystem>

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
  auto entries = DirectoryEntries(drives.Files(), "Q:\\DATA");
  ASSERT_TRUE(entries);
  EXPECT_EQ(Shown(*entries),
            "0+Q:\\=Q:\\ 1+DATA=Q:\\DATA 2-A=Q:\\DATA\\A 2-b=Q:\\DATA\\b 2-c=Q:\\DATA\\c "
            "2-南棟=Q:\\DATA\\南棟 ");
  EXPECT_EQ(ShownFolderRow(*entries), 1u);
  EXPECT_EQ(Shown(*DirectoryEntries(drives.Files(), "Q:\\")), "0+Q:\\=Q:\\ 1-DATA=Q:\\DATA ");
  EXPECT_FALSE(DirectoryEntries(drives.Files(), "Q:\\DATA\\missing"));
}

}  // namespace
}  // namespace tavrimen
