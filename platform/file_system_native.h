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

namespace tavrimen::platform::native {

// The length of a regular file; 0 for anything else that exists; nothing when nothing exists.
std::optional<std::uintmax_t> EntryLength(const std::filesystem::path& path);
// Creates an empty file where none exists; false when none was created.
bool CreateEmptyFile(const std::filesystem::path& path);
// What the system says of `path` as spelled, without following a symbolic link at its end.
struct SpelledEntry {
  bool exists = false;  // then no component needs matching by letter case
  // What EntryLength would give, where the look-up tells it (not for a symbolic link).
  std::optional<std::uintmax_t> length;
};
SpelledEntry LookUpAsSpelled(const std::filesystem::path& path);
bool IsReadableFolder(const std::filesystem::path& path);
// Every name in a folder (UTF-8); nothing when the folder cannot be read.
std::optional<std::vector<std::string>> Names(const std::filesystem::path& folder);
// Folder names without hidden ones; nothing when the folder cannot be read.
std::optional<std::vector<std::string>> Subfolders(const std::filesystem::path& folder);
// Creates one folder; an existing folder is no error.
std::error_code MakeFolder(const std::filesystem::path& path);
// Deletes a file; whatever goes wrong is ignored. False when nothing was deleted.
bool DeleteFileIgnoringErrors(const std::filesystem::path& path);
// Reads a whole file; `expected_length`, when known, lets a file of that length be read at once.
std::error_code ReadFile(const std::filesystem::path& path, std::string& content,
                         std::optional<std::uintmax_t> expected_length = std::nullopt);
// Writes `bytes` to a temporary file beside `path` and renames it over `path`; on failure the
// temporary file is gone. `fail_after_half`, when not 0, stops after half the bytes with that
// errno, as a failing medium would (for the tests of this function).
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                    int fail_after_half = 0);

}  // namespace tavrimen::platform::native
