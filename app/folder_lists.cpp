#include "app/folder_lists.h"

#include <algorithm>

#include "platform/file_system.h"
#include "platform/native_paths.h"
#include "platform/paths.h"
#include "reference/path_checks.h"
#include "reference/text_helpers.h"

namespace tavrimen {

std::optional<std::vector<DirectoryEntry>> DirectoryEntries(platform::FileSystem& files,
                                                            const std::string& drive_form_path) {
  auto subfolders = files.ListSubfolders(drive_form_path);
  if (!subfolders) return std::nullopt;
  // "C:\A\B" -> "C:\", "C:\A", "C:\A\B"
  std::vector<std::string> parts;
  const int n = CountPathParts(drive_form_path, "\\");
  SplitPath(drive_form_path, "\\", parts);
  std::string prefix = parts[1] + "\\";
  std::vector<DirectoryEntry> entries{
      {platform::ShownPath(files.drives(), prefix), prefix, 0, true}};
  for (int k = 2; k <= n + 1; ++k) {
    const std::string& name = parts[static_cast<std::size_t>(k)];
    if (name.empty()) continue;
    prefix = (entries.size() == 1 ? prefix : prefix + "\\") + name;
    entries.push_back({name, prefix, static_cast<int>(entries.size()), true});
  }
  std::sort(subfolders->begin(), subfolders->end(), [](const std::string& a, const std::string& b) {
    const std::string la = AsciiLower(a), lb = AsciiLower(b);
    return la != lb ? la < lb : a < b;
  });
  const std::string base = prefix.back() == '\\' ? prefix : prefix + "\\";
  const int level = static_cast<int>(entries.size());
  for (const std::string& name : *subfolders) entries.push_back({name, base + name, level, false});
  return entries;
}

std::size_t ShownFolderRow(const std::vector<DirectoryEntry>& entries) {
  std::size_t row = 0;
  while (row + 1 < entries.size() && entries[row + 1].open) ++row;
  return row;
}

std::size_t FirstVisibleRow(const std::vector<DirectoryEntry>& entries, std::size_t visible_rows) {
  const std::size_t hidden_below =
      entries.size() > visible_rows ? entries.size() - visible_rows : 0;
  return std::min(ShownFolderRow(entries), hidden_below);
}

int LevelIndent(int natural, int deepest_level, int room) {
  if (deepest_level <= 0 || natural * deepest_level <= room) return natural;
  return std::max(0, room / deepest_level);
}

std::string DriveCaption(const platform::Drive& drive) {
  if (platform::kShowsNativePaths) return platform::Utf8String(drive.root);
  std::string caption{static_cast<char>(std::tolower(static_cast<unsigned char>(drive.letter))),
                      ':'};
  const std::string root = platform::Utf8String(drive.root);
  const std::string own_root{drive.letter, ':', '\\'};
  if (AsciiLower(root) != AsciiLower(own_root)) caption += " [" + root + "]";
  return caption;
}

std::string StartingFolder(platform::FileSystem& files) {
  const std::string current = files.CurrentDirectory();
  if (files.ListSubfolders(current)) return current;
  return current.substr(0, 2) + "\\";
}

void DriveChange(platform::FileSystem& files, platform::DriveTable& drives,
                 DriveAndDirectory& lists) {
  // The index to fall back to is remembered only after the step that usually fails, and counts
  // as the first entry until then.
  int remembered_index = 0;
  if (!lists.ShowFolder(drives.CurrentDirectoryOf(lists.ChosenDrive()))) {
    lists.SetDriveIndex(remembered_index);
  }
  remembered_index = lists.DriveIndex();
  if (!platform::ChangeDrive(files, drives, lists.ChosenDrive())) {
    lists.SetDriveIndex(remembered_index);
  }
}

void DirChange(platform::FileSystem& files, platform::DriveTable& drives,
               const std::string& drive_form_path) {
  platform::ChangeDirectory(files, drives, drive_form_path);
}

}  // namespace tavrimen
