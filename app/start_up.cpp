#include "app/start_up.h"

#include "reference/settings.h"

namespace tavrimen {

bool PatternFolderExists(platform::FileSystem& files, std::string_view patdat_path) {
  return !patdat_path.empty() && files.PathExists(patdat_path.substr(0, patdat_path.size() - 1));
}

std::optional<std::string> LoadPatternFolder(platform::FileSystem& files, MessageBoxes& boxes) {
  std::string patdat = ReadPatternFolderSetting(files);
  if (PatternFolderExists(files, patdat)) return patdat;
  boxes.ShowMessage(kNoPatdatMessage, MessageIcon::kNone, MessageButtons::kOk, kAppTitle);
  return std::nullopt;
}

}  // namespace tavrimen
