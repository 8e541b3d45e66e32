// Checking, normalising and splitting the folder paths that the user typed or picked.
// Paths are UTF-8 text in drive form ("C:\DATA\B-1").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace tavrimen {

enum class PathVerdict {
  kAccepted,
  kNoDriveName,  // the second character is not a colon: the user is told so
  kRejected,     // rejected without a message of its own
};

// Checks a folder path and normalises it in place: trimmed, a backslash after the colon, a final
// backslash. A path on a drive that does not exist or cannot be read is rejected; the current
// drive stays as it is. The path is changed in place even when it is rejected. (ValidateFolderPath
// in app/folder_path.h shows the drive-name message.)
PathVerdict CheckFolderPath(platform::FileSystem& files, std::string& path);

// Whether a checked path (ending with a backslash) is a drive root, which has no folder name.
bool IsDriveRoot(std::string_view checked_path);

// The name of the record file for a checked source folder: the folder's own name.
std::string RecordFileNameOf(std::string_view checked_source);

// The number of separator characters in `path` (every character of `separators` counts).
int CountPathParts(std::string_view path, std::string_view separators);

// Splits `path` at each separator character: parts 1 to count+1 go to `parts[1]` onward (index 0
// stays unused). `parts` grows to hold them.
void SplitPath(std::string_view path, std::string_view separators, std::vector<std::string>& parts);

}  // namespace tavrimen
