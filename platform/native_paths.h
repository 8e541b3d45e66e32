// Paths as people type and read them. The system works in drive form ("Z:\home\me\B-1"), which is
// also the native form on Windows; on POSIX systems people know native paths ("/home/me/B-1").
// Typed paths become drive form where they enter (the windows' text boxes, the command line), and
// drive-form paths become native ones where they are shown.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/drive_table.h"

namespace tavrimen::platform {

// Whether people read native paths rather than drive form.
#ifdef _WIN32
inline constexpr bool kShowsNativePaths = false;
#else
inline constexpr bool kShowsNativePaths = true;
#endif

// A typed path in the drive form the run takes:
// - drive form ("Z:\data\B-1", blanks around it allowed) stays, with slashes as backslashes;
// - blank text, and text that drive form cannot come from (a backslash in a POSIX name, a network
//   path on Windows), stays as typed, for the run's path check to refuse;
// - any other text is a native path: "~" and "~/..." start at the home folder, "~name/..." at
//   that user's, and a relative path at the current directory of the table's current drive. It is
//   made absolute, without leading blanks or trailing separators, in the drive form of its drive
//   ("Z:" alone for a drive's root).
// Nothing when no drive holds the path.
std::optional<std::string> DriveFormOfTyped(const DriveTable& drives, std::string_view typed);

// A drive-form path as people read it: the native path where kShowsNativePaths, else unchanged.
// Text that names no drive of the table stays unchanged too.
std::string ShownPath(const DriveTable& drives, std::string_view drive_form);

// A message or a title with each line that is a drive-form path ("X:\..." and nothing else)
// shown as ShownPath shows it.
std::string ShownText(const DriveTable& drives, std::string_view text);

}  // namespace tavrimen::platform
