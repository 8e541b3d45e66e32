#include "app/folder_path.h"

#include "app/messages.h"
#include "reference/path_checks.h"

namespace tavrimen {

bool ValidateFolderPath(platform::FileSystem& files, std::string& path, MessageBoxes& boxes) {
  const PathVerdict verdict = CheckFolderPath(files, path);
  if (verdict == PathVerdict::kNoDriveName) {
    boxes.ShowMessage(kDriveNameMessage, MessageIcon::kInformation, MessageButtons::kOk, kAppTitle);
  }
  return verdict == PathVerdict::kAccepted;
}

}  // namespace tavrimen
