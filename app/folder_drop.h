// Folders dropped on the window from a file manager: which side of the window they land on, and
// which folder that side's text box and directory list then show.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace tavrimen {

enum class Side { kSource, kDestination };

// The side a control belongs to: the source's label, text box and frame with what it holds, or
// the destination's. Nothing for the message frame, the buttons and the panel.
std::optional<Side> SideOf(std::string_view control_name);

// A drop, as the window takes it: the folder in drive form, or the message that refuses it.
struct FolderDrop {
  std::string folder;
  std::string_view refusal;  // empty when the drop is taken
};

// What dropping `natives` means: one folder is taken; several items, a file, a folder that cannot
// be read (the directory list could not show it) or one that no drive holds are refused, so that
// nothing is guessed and both lists and text box stay together.
FolderDrop DroppedFolder(platform::FileSystem& files,
                         const std::vector<std::filesystem::path>& natives);

}  // namespace tavrimen
