#include "app/folder_path.h"

#include "app/messages.h"
#include "platform/paths.h"
#include "reference/path_checks.h"

namespace tavrimen {

bool NamesAFolderEndingInBlanks(platform::FileSystem& files, std::string_view typed) {
  if (!platform::kNamesMayEndInBlanks || typed.empty() || typed.back() != ' ') return false;
  while (!typed.empty() && typed.front() == ' ') typed.remove_prefix(1);
  const auto entry = files.Entry(typed);
  return entry && entry->folder;
}

bool ValidateFolderPath(platform::FileSystem& files, std::string& path, MessageBoxes& boxes) {
  const PathVerdict verdict = CheckFolderPath(files, path);
  if (verdict == PathVerdict::kNoDriveName) {
    boxes.ShowMessage(kDriveNameMessage, MessageIcon::kInformation, MessageButtons::kOk, kAppTitle);
  }
  return verdict == PathVerdict::kAccepted;
}

}  // namespace tavrimen
