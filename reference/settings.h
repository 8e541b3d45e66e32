// The setting that locates the pattern-data folder: "PatdatV5.ini" in the system folder, whose
// second line names the folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tavrimen {

inline constexpr std::string_view kSettingsFileName = "PatdatV5.ini";

// The native path of the settings file: "PatdatV5.ini" in the system folder, spelled as on disk
// when it exists in another letter case (the exact spelling wins).
std::filesystem::path SettingsFilePath(platform::FileSystem& files);

// The pattern-data folder in drive form, ending with a backslash, or the empty text when the
// settings file is missing, empty or unreadable. A missing settings file leaves nothing behind:
// the empty file that the probe creates is deleted again.
std::string ReadPatternFolderSetting(platform::FileSystem& files);

// A folder path as a setting or the command line gives it, in drive form with a final backslash.
// A native absolute POSIX path ("/usr/share/...") is turned into the drive form of its drive.
// Empty text stays empty.
std::string PatternFolderFromText(const platform::DriveTable& drives, std::string_view text);

}  // namespace tavrimen
