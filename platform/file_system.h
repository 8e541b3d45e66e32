// File-system operations on drive-form paths (see drives.h). Names are matched without regard to
// letter case; a file that is created gets the spelling the caller gives.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrimen::platform {

// While an object of this class lives on a thread, file operations on that thread change
// nothing on disk: the probe creates no file, deletions and folder creation do nothing, and
// writing a file fails. For checking a data set without touching it.
class ReadOnlyScope {
 public:
  ReadOnlyScope();
  ~ReadOnlyScope();
  ReadOnlyScope(const ReadOnlyScope&) = delete;
  ReadOnlyScope& operator=(const ReadOnlyScope&) = delete;
  static bool Active();

 private:
  bool previous_;
};

// Existence probe: the length of a file in bytes, where a missing file is created empty and then
// has length 0 (as opening a file for random access does). An existing file is measured without
// write access. When the file can be neither found nor created (a read-only folder, a missing
// folder), it counts as absent: 0, and nothing fails.
std::uintmax_t ProbeFile(std::string_view path);

// Whether a file or folder of that name exists.
bool PathExists(std::string_view path);

// The names (UTF-8) of the folders in a folder, in no particular order, without hidden ones:
// names starting with "." on POSIX systems, hidden or system folders on Windows. Nothing when the
// folder cannot be read.
std::optional<std::vector<std::string>> ListSubfolders(std::string_view path);

// Creates one folder; its parent must exist. Throws IoError.
void MakeFolder(std::string_view path);

// Deletes a file. A deletion that fails (a read-only folder, a file already gone) is ignored: the
// callers delete only files that hold nothing.
void DeleteFileQuietly(std::string_view path);

// The whole content of a file. Throws IoError when it cannot be opened or read.
std::string ReadWholeFile(std::string_view path);

// Writes `bytes` to a temporary file beside `path` and renames it over `path`, so that readers
// see either the old file or the complete new one. Throws IoError; on failure nothing is left
// behind and an earlier file at `path` is untouched. The data is not forced to the disk before the
// rename (the file systems in use order a rename over a file after that file's data).
void WriteFileAtomically(std::string_view path, std::string_view bytes);

// The same for native paths; `shown_path` is the path that error messages name. The functions
// above resolve their drive-form path and call these, which each platform implements.
std::uintmax_t ProbeNativeFile(const std::filesystem::path& native);
bool NativePathExists(const std::filesystem::path& native);
std::optional<std::vector<std::string>> ListNativeSubfolders(const std::filesystem::path& native);
void MakeNativeFolder(const std::filesystem::path& native, std::string_view shown_path);
void DeleteNativeFileQuietly(const std::filesystem::path& native);
std::string ReadNativeFile(const std::filesystem::path& native, std::string_view shown_path);
void WriteNativeFileAtomically(const std::filesystem::path& native, std::string_view shown_path,
                               std::string_view bytes);

}  // namespace tavrimen::platform
