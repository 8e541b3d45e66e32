// The raw file operations of the system the program runs on, on native paths; file_system.cpp
// adds what every system shares (the read-only scope, the test seam, errors that name the path)
// and file_system_posix.cpp and file_system_windows.cpp implement these.
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
// Creates an empty file where none exists; whatever goes wrong is ignored.
void CreateEmptyFile(const std::filesystem::path& path);
bool Exists(const std::filesystem::path& path);
// Folder names without hidden ones; nothing when the folder cannot be read.
std::optional<std::vector<std::string>> Subfolders(const std::filesystem::path& folder);
// Creates one folder; an existing folder is no error.
std::error_code MakeFolder(const std::filesystem::path& path);
void DeleteFileIgnoringErrors(const std::filesystem::path& path);
std::error_code ReadFile(const std::filesystem::path& path, std::string& content);
// Writes `bytes` to a temporary file beside `path` and renames it over `path`; on failure the
// temporary file is gone. `fail_after_half`, when not 0, stops after half the bytes with that
// errno (the test seam of a failing medium).
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                    int fail_after_half);

}  // namespace tavrimen::platform::native
