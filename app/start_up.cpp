#include "app/start_up.h"

#include "platform/file_system.h"
#include "reference/settings.h"

namespace tavrimen {

bool PatternFolderExists(std::string_view patdat_path) {
  return !patdat_path.empty() &&
         platform::PathExists(patdat_path.substr(0, patdat_path.size() - 1));
}

std::optional<std::string> LoadPatternFolder(MessageBoxes& boxes) {
  std::string patdat = ReadPatternFolderSetting();
  if (PatternFolderExists(patdat)) return patdat;
  boxes.ShowMessage(kNoPatdatMessage, MessageIcon::kNone, MessageButtons::kOk, kAppTitle);
  return std::nullopt;
}

}  // namespace tavrimen
