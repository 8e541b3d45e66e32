// Drives and drive-form paths.
//
// Paths inside the system keep the form the window shows: a drive letter, a colon and backslashes
// ("C:\DATA\B-1\"). On POSIX systems, drives come from a drive table: by default the single drive
// "Z:" stands for the file-system root; the environment variable TAVRIMEN_DRIVES
// ("C=/home/me/borings;D=/media/usb") adds or replaces drives. Each drive has its own current
// directory, and one drive is the current drive, as on the desktop systems the users know.
//
// The table is process-wide state, guarded by a mutex.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrimen::platform {

struct Drive {
  char letter;                 // upper case, 'A' to 'Z'
  std::filesystem::path root;  // the native folder the drive's root stands for
};

// The drives, sorted by letter.
std::vector<Drive> Drives();

// The current drive's letter.
char CurrentDrive();

// Makes `letter` (either case) the current drive. False, with nothing changed, when the drive
// does not exist or its root cannot be read.
bool ChangeDrive(char letter);

// The current directory of the current drive, in drive form without a trailing backslash except
// at the root ("Z:\home\me", "C:\").
std::string CurrentDirectory();

// The current directory of drive `letter` in the same form; empty when there is no such drive.
std::string CurrentDirectoryOf(char letter);

// Makes a drive-form folder path the current directory of its drive (and that drive current).
// False when the folder does not exist.
bool ChangeDirectory(std::string_view drive_form_path);

// The native path for a drive-form path. A path without a drive ("DATA\SUB") is taken relative to
// the current directory of the current drive, and "C:DATA" relative to that of drive C. Each
// component is matched without regard to letter case where the exact name does not exist. Empty
// when the drive does not exist.
std::optional<std::filesystem::path> ToNative(std::string_view drive_form_path);

// The drive-form path of an absolute native path: the drive whose root is the longest leading
// part of it. Empty when no drive holds it.
std::optional<std::string> ToDriveForm(const std::filesystem::path& native);

// Reads the drive table again from the environment and resets every current directory. For
// tests, which change TAVRIMEN_DRIVES.
void ResetDrivesFromEnvironment();

}  // namespace tavrimen::platform
