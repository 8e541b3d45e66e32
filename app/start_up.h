// What the main window does before it shows: find the pattern-data folder, or tell the user why
// the program cannot run. Both windows and the command-line tool check the folder the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/message_boxes.h"
#include "app/messages.h"
#include "platform/file_system.h"

namespace tavrimen {

// Whether `patdat_path` (drive form, ending with a backslash) names an existing folder: the path
// without its last character must exist.
bool PatternFolderExists(platform::FileSystem& files, std::string_view patdat_path);

// The pattern-data folder of the setting. When the setting is missing or names no folder, shows
// kNoPatdatMessage with OK, no icon and the application title, and gives nothing: the program
// must then end.
std::optional<std::string> LoadPatternFolder(platform::FileSystem& files, MessageBoxes& boxes);

}  // namespace tavrimen
