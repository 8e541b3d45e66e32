// The folder-path check as the windows know it: it tells the user about a missing drive name.
#pragma once

#include <string>
#include <string_view>

#include "app/message_boxes.h"
#include "platform/file_system.h"

namespace tavrimen {

// Whether the folder path as typed ends in blanks that the path check trims, while a folder whose
// name really ends in them exists: the checked path would name another folder. (Only where names
// may end in blanks.)
bool NamesAFolderEndingInBlanks(platform::FileSystem& files, std::string_view typed);

// Checks and normalises a folder path in place (CheckFolderPath). Shows the drive-name message
// through `boxes` when the path names no drive; every other rejection is silent.
bool ValidateFolderPath(platform::FileSystem& files, std::string& path, MessageBoxes& boxes);

}  // namespace tavrimen
