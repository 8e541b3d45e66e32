// Drives and drive-form paths.
//
// Paths inside the system keep the form the window shows: a drive letter, a colon and backslashes
// ("C:\DATA\B-1\"). On POSIX systems, drives come from a drive table: by default the single drive
// "Z:" stands for the file-system root; the environment variable TAVRIMEN_DRIVES
// ("C=/home/me/borings;D=/media/usb") adds or replaces drives. Each drive has its own current
// directory, and one drive is the current drive, as on the desktop systems the users know.
//
// A DriveTable is a plain value that never touches the disk: each window and each batch worker
// owns one, so that no two threads share a current drive. The file system (file_system.h) checks
// drives and folders against the disk before it changes a table.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrimen::platform {

struct Drive {
  char letter;                 // upper case, 'A' to 'Z'
  std::filesystem::path root;  // the native folder the drive's root stands for
};

// A drive-form path taken apart: its drive and its folder names below the drive's root, with
// "." and ".." applied.
struct DrivePath {
  char letter;
  std::vector<std::string> components;
};

class DriveTable {
 public:
  // The system's own drives, with the entries of a table text in the form of TAVRIMEN_DRIVES
  // added; malformed entries are skipped. The current drive and its directory follow the
  // process's working directory.
  explicit DriveTable(std::string_view table_text = "");
  // The table of the environment variable TAVRIMEN_DRIVES.
  static DriveTable FromEnvironment();

  // The drives, sorted by letter.
  std::vector<Drive> Drives() const;
  // The root of drive `letter` (either case); nothing when there is no such drive.
  std::optional<std::filesystem::path> RootOf(char letter) const;

  char CurrentDrive() const { return current_drive_; }
  // Makes an existing drive (either case) current; false, with nothing changed, otherwise.
  bool SetCurrentDrive(char letter);

  // The current directory of drive `letter` in drive form, without a trailing backslash except
  // at the root ("Z:\home\me", "C:\"); empty when there is no such drive.
  std::string CurrentDirectoryOf(char letter) const;
  // Makes `path` the current directory of its drive, and that drive current.
  void SetCurrentDirectory(const DrivePath& path);
  // The native current directory of the current drive, which relative native paths start at;
  // nothing when a name on the way holds a backslash, which drive form would read as two names.
  std::optional<std::filesystem::path> CurrentFolder() const;

  // A drive-form path taken apart. A path without a drive ("DATA\SUB") is taken relative to the
  // current directory of the current drive, and "C:DATA" relative to that of drive C; a slash
  // separates folders as a backslash does. Nothing when the drive does not exist.
  std::optional<DrivePath> Resolve(std::string_view drive_form_path) const;
  // The native path of a resolved path, spelled as given.
  std::filesystem::path NativeOf(const DrivePath& path) const;
  // The drive-form text of a resolved path ("C:\DATA\B-1", "C:\").
  static std::string DriveFormOf(const DrivePath& path);

  // The drive-form path of an absolute native path: the drive whose root is the longest leading
  // part of it. Nothing when no drive holds it, or when a name in it holds a backslash (which
  // drive form cannot tell from a separator).
  std::optional<std::string> ToDriveForm(const std::filesystem::path& native) const;

 private:
  struct DriveState {
    std::filesystem::path root;
    std::vector<std::string> current;  // components below the root
  };
  std::map<char, DriveState> drives_;
  char current_drive_ = 'Z';
};

}  // namespace tavrimen::platform
