#include "app/folder_drop.h"

#include <array>

#include "app/form_layout.h"
#include "app/messages.h"

namespace tavrimen {

std::optional<Side> SideOf(std::string_view control_name) {
  constexpr std::array<std::string_view, 3> kSource = {"Label2", "Text2", "Frame2"};
  constexpr std::array<std::string_view, 3> kDestination = {"Label1", "Text1", "Frame1"};
  for (std::string_view name = control_name; name != "Form1";) {
    for (std::string_view s : kSource) {
      if (name == s) return Side::kSource;
    }
    for (std::string_view d : kDestination) {
      if (name == d) return Side::kDestination;
    }
    name = Form1Control(name).container;
  }
  return std::nullopt;
}

FolderDrop DroppedFolder(platform::FileSystem& files,
                         const std::vector<std::filesystem::path>& natives) {
  if (natives.size() != 1) return {"", kDropOneFolderMessage};
  const auto entry = files.NativeEntry(natives.front());
  if (!entry || !entry->folder) return {"", kDropFoldersOnlyMessage};
  if (!files.IsReadableFolder(natives.front())) return {"", kDropUnreadableMessage};
  auto folder = files.drives().ToDriveForm(natives.front());
  if (!folder) return {"", kDropNoDriveMessage};
  return {*folder, {}};
}

}  // namespace tavrimen
