// The raw file operations of the system the program runs on, on native paths; disk_file_system.cpp
// builds the file system of the disk on them, and file_system_posix.cpp and
// file_system_windows.cpp implement them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/file_system.h"

namespace tavrimen::platform::native {

// What exists at `path`, following a symbolic link; nothing when nothing exists.
std::optional<EntryInfo> EntryOf(const std::filesystem::path& path);
// Creates an empty file where none exists; false when none was created.
bool CreateEmptyFile(const std::filesystem::path& path);
// What the system says of `path` as spelled, without following a symbolic link at its end.
struct SpelledEntry {
  bool exists = false;  // then no component needs matching by letter case
  // What EntryOf would give, where the look-up tells it (not for a symbolic link).
  std::optional<EntryInfo> entry;
};
SpelledEntry LookUpAsSpelled(const std::filesystem::path& path);
bool IsReadableFolder(const std::filesystem::path& path);
// Every name in a folder (UTF-8); nothing when the folder cannot be read.
std::optional<std::vector<std::string>> Names(const std::filesystem::path& folder);
// Folder names without hidden ones; nothing when the folder cannot be read.
std::optional<std::vector<std::string>> Subfolders(const std::filesystem::path& folder);
// Creates one folder; an existing folder is no error.
std::error_code MakeFolder(const std::filesystem::path& path);
// Deletes a regular file of length 0 (not what a link names); whatever goes wrong is ignored.
// False when nothing was deleted.
bool DeleteEmptyFile(const std::filesystem::path& path);
// Reads a whole regular file of at most kLargestDataFile bytes; anything else is refused
// (RefusalError) without waiting on it. `expected_length`, when known, lets a file of that length
// be read by one call.
std::error_code ReadFile(const std::filesystem::path& path, std::string& content,
                         std::optional<std::uintmax_t> expected_length = std::nullopt);
// The names of the temporary files beside a record file start with this, then six letters.
inline constexpr std::string_view kTemporaryPrefix = ".tavrimen-";

// Whether `name` is one of those temporary names.
inline bool IsTemporaryName(std::string_view name) {
  return name.size() == kTemporaryPrefix.size() + 6 && name.starts_with(kTemporaryPrefix);
}

// Removes the temporary file `path` when it is a regular file older than a minute (one of the
// last minute may still be being written); true when it was removed.
bool RemoveIfStale(const std::filesystem::path& path);

// Removes from `folder` the temporary files (among `names`, its names) that a killed process
// left, and returns the names that are still there. A record file never has a temporary's name:
// the conversion refuses a source folder of such a name.
std::vector<std::string> RemoveStaleTemporaries(const std::filesystem::path& folder,
                                                std::vector<std::string> names);
// The same, for a folder not listed yet.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

// Writes `bytes` to a temporary file beside `path` and renames it over `path`; on failure the
// temporary file is gone.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// A folder that many files are written into. Where the system names files relative to an open
// folder, it is opened once, so that each file written does not walk the folder's path again.
class WritingFolder {
 public:
  explicit WritingFolder(std::filesystem::path path);
  ~WritingFolder();
  WritingFolder(const WritingFolder&) = delete;
  WritingFolder& operator=(const WritingFolder&) = delete;

  // WriteFileAtomically(the folder's path / name, bytes).
  std::error_code WriteFileAtomically(const std::filesystem::path& name,
                                      std::string_view bytes) const;

 private:
  std::filesystem::path path_;
  int descriptor_ = -1;  // the open folder; -1 where files are named by their whole path
};

}  // namespace tavrimen::platform::native
