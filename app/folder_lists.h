// The drive and directory lists of the main window, independent of the window toolkit: what a
// directory list shows, what a drive list's entries say, and what happens when the user picks a
// drive or a folder. Both windows draw the lists; the behaviour is this.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tavrimen {

// One line of a directory list.
struct DirectoryEntry {
  std::string name;  // the folder's own name; for a drive root "C:\", or its native path where
                     // people read native paths
  std::string path;  // drive form, "C:\" for a root
  int level;         // indentation: 0 for the drive root
  bool open;         // the shown folder and its ancestors are open, its subfolders closed
};

// What a directory list shows for a folder: the drive root and each folder down to the shown one
// (open), then the shown folder's subfolders (closed), ordered by name without regard to letter
// case. `drive_form_path` is a folder in drive form without a trailing backslash except at the
// root. Nothing when the folder cannot be read.
std::optional<std::vector<DirectoryEntry>> DirectoryEntries(platform::FileSystem& files,
                                                            const std::string& drive_form_path);

// The row of the shown folder itself among DirectoryEntries.
std::size_t ShownFolderRow(const std::vector<DirectoryEntry>& entries);

// The first row to show when `visible_rows` rows fit: the shown folder stays in view with as many
// of its subfolders below it as fit, even deep down a drive.
std::size_t FirstVisibleRow(const std::vector<DirectoryEntry>& entries, std::size_t visible_rows);

// The indentation of one level, at most `natural`, so that the deepest entry's indentation takes
// no more than `room` (say half the list's width) and deep folders keep room for their names.
int LevelIndent(int natural, int deepest_level, int room);

// A drive list's caption for a drive. Where people read native paths, the folder it stands for
// ("/", "/media/usb"); otherwise its letter in lower case and a colon, then that folder in
// brackets when it is not the drive's own root ("c: [D:\borings]").
std::string DriveCaption(const platform::Drive& drive);

// The folder both directory lists start at: the current directory, or its drive's root when the
// current directory cannot be read.
std::string StartingFolder(platform::FileSystem& files);

// A drive list and the directory list it drives, as a drive change needs them.
class DriveAndDirectory {
 public:
  virtual ~DriveAndDirectory() = default;
  // The drive letter of the drive list's current entry.
  virtual char ChosenDrive() const = 0;
  virtual int DriveIndex() const = 0;
  // Changing the index fires the drive change again for the new entry.
  virtual void SetDriveIndex(int index) = 0;
  // Shows a folder in the directory list. False, with nothing changed, when the folder cannot be
  // read; fires the directory change when the folder differs from the one shown.
  virtual bool ShowFolder(const std::string& drive_form_path) = 0;
};

// The drive change: the directory list follows the chosen drive to that drive's current
// directory, and the drive becomes the current drive. A drive that cannot be read puts the drive
// list back, silently, on its first entry.
void DriveChange(platform::FileSystem& files, platform::DriveTable& drives,
                 DriveAndDirectory& lists);

// The directory change: the folder becomes the current directory. (The window copies it into its
// text box.)
void DirChange(platform::FileSystem& files, platform::DriveTable& drives,
               const std::string& drive_form_path);

}  // namespace tavrimen
