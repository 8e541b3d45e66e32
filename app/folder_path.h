// The folder-path check as the windows know it: it tells the user about a missing drive name.
#pragma once

#include <string>

#include "app/message_boxes.h"
#include "platform/file_system.h"

namespace tavrimen {

// Checks and normalises a folder path in place (CheckFolderPath). Shows the drive-name message
// through `boxes` when the path names no drive; every other rejection is silent.
bool ValidateFolderPath(platform::FileSystem& files, std::string& path, MessageBoxes& boxes);

}  // namespace tavrimen
