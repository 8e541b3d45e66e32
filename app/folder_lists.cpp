#include "app/folder_lists.h"

#include <algorithm>
#include <cctype>

#include "platform/file_system.h"
#include "platform/paths.h"

namespace tavrimen {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::optional<std::vector<DirectoryEntry>> DirectoryEntries(const std::string& drive_form_path) {
  auto subfolders = platform::ListSubfolders(drive_form_path);
  if (!subfolders) return std::nullopt;
  std::vector<DirectoryEntry> entries;
  // "C:\A\B" -> "C:\", "C:\A", "C:\A\B"
  std::string prefix;
  std::size_t start = 0;
  while (start < drive_form_path.size()) {
    std::size_t end = drive_form_path.find('\\', start);
    if (end == std::string::npos) end = drive_form_path.size();
    const std::string name = drive_form_path.substr(start, end - start);
    if (!name.empty()) {
      const bool root = entries.empty();
      prefix = root ? name + "\\" : (entries.size() == 1 ? prefix : prefix + "\\") + name;
      entries.push_back({root ? prefix : name, prefix, static_cast<int>(entries.size()), true});
    }
    start = end + 1;
  }
  std::sort(subfolders->begin(), subfolders->end(), [](const std::string& a, const std::string& b) {
    const std::string la = Lower(a), lb = Lower(b);
    return la != lb ? la < lb : a < b;
  });
  const std::string base = prefix.empty() || prefix.back() == '\\' ? prefix : prefix + "\\";
  const int level = static_cast<int>(entries.size());
  for (const std::string& name : *subfolders) entries.push_back({name, base + name, level, false});
  return entries;
}

std::size_t ShownFolderRow(const std::vector<DirectoryEntry>& entries) {
  std::size_t row = 0;
  while (row + 1 < entries.size() && entries[row + 1].open) ++row;
  return row;
}

std::string DriveCaption(const platform::Drive& drive) {
  std::string caption{static_cast<char>(std::tolower(static_cast<unsigned char>(drive.letter))),
                      ':'};
  const std::string root = platform::Utf8String(drive.root);
  const std::string own_root{drive.letter, ':', '\\'};
  if (Lower(root) != Lower(own_root)) caption += " [" + root + "]";
  return caption;
}

std::string StartingFolder() {
  const std::string current = platform::CurrentDirectory();
  if (platform::ListSubfolders(current)) return current;
  return current.substr(0, 2) + "\\";
}

void DriveChange(DriveAndDirectory& lists) {
  // The index to fall back to is remembered only after the step that usually fails, and counts
  // as the first entry until then.
  int remembered_index = 0;
  if (!lists.ShowFolder(platform::CurrentDirectoryOf(lists.ChosenDrive()))) {
    lists.SetDriveIndex(remembered_index);
  }
  remembered_index = lists.DriveIndex();
  if (!platform::ChangeDrive(lists.ChosenDrive())) lists.SetDriveIndex(remembered_index);
}

void DirChange(const std::string& drive_form_path) { platform::ChangeDirectory(drive_form_path); }

}  // namespace tavrimen
