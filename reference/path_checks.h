// Checking, normalising and splitting the folder paths that the user typed or picked.
// Paths are UTF-8 text in drive form ("C:\DATA\B-1").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/message_box.h"

namespace tavrimen {

// The message shown when a path does not begin with a drive letter and a colon.
inline constexpr std::string_view kDriveNameMessage =
    "規定値のドライブ名が正しくありません。ドライブ名は１文字のアルファベットと \":\" "
    "でなければいけません。  例 \"C:\", \"D:\"...";

// Checks a folder path and normalises it in place: trimmed, a backslash after the colon, a final
// backslash. Makes the path's drive the current drive. Shows the drive-name message through
// `boxes` when the second byte is not a colon; every other rejection is silent. The path is
// changed in place even when false is returned.
bool ValidateFolderPath(std::string& path, MessageBoxes& boxes);

// The number of separator characters in `path` (every character of `separators` counts).
int CountPathParts(std::string_view path, std::string_view separators);

// Splits `path` at each separator character: parts 1 to count+1 go to `parts[1]` onward (index 0
// stays unused). `parts` grows to hold them.
void SplitPath(std::string_view path, std::string_view separators, std::vector<std::string>& parts);

}  // namespace tavrimen
