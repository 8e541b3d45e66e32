// The file system as a conversion sees it: drives and drive-form paths (drive_table.h), and the
// few file operations the conversion needs. Names are matched without regard to letter case; a
// file that is created gets the spelling the caller gives.
//
// A FileSystem is an object that a run owns, so that runs on several threads share no state and
// tests can put a wrapper between the run and the disk. DiskFileSystem (disk_file_system.h) is the
// real one; FileSystemWrapper passes every operation on to another file system, for wrappers that
// change a few (read_only_file_system.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/drive_table.h"

namespace tavrimen::platform {

// What exists at a path, following a symbolic link.
struct EntryInfo {
  bool regular = false;  // a regular file, not a folder, pipe or device
  bool folder = false;
  std::uintmax_t length = 0;  // of a regular file
};

// An entry of a folder, as a search below the folder sees it.
struct FolderEntry {
  std::string name;     // UTF-8
  bool folder = false;  // a folder, or a link to one
  bool link = false;    // a symbolic link
  bool exists = true;   // false for a link to nothing
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The drive table the paths are resolved with.
  virtual const DriveTable& drives() const = 0;
  // The native path for a drive-form path, each component matched without regard to letter case
  // where the exact name does not exist. Nothing when the drive does not exist.
  virtual std::optional<std::filesystem::path> ToNative(std::string_view drive_form_path) = 0;

  // The operations on native paths; `shown_path` is the path that errors name.
  // What exists there; nothing when nothing exists.
  virtual std::optional<EntryInfo> NativeEntry(const std::filesystem::path& native) = 0;
  // The names in `folder` that differ from `name` only in letter case, itself included, sorted.
  virtual std::vector<std::string> NativeSpellings(const std::filesystem::path& folder,
                                                   std::string_view name) = 0;
  // Whether a folder exists there that can be read.
  virtual bool IsReadableFolder(const std::filesystem::path& native) = 0;
  // Creates an empty file where none exists; whatever goes wrong is ignored.
  virtual void CreateEmptyNativeFile(const std::filesystem::path& native) = 0;
  // Folder names without hidden ones; nothing when the folder cannot be read.
  virtual std::optional<std::vector<std::string>> ListNativeSubfolders(
      const std::filesystem::path& native) = 0;
  // Throws IoError.
  virtual void MakeNativeFolder(const std::filesystem::path& native,
                                std::string_view shown_path) = 0;
  // Deletes a regular file of length 0; anything else is left alone, and failures are ignored.
  virtual void DeleteNativeFileQuietly(const std::filesystem::path& native) = 0;
  // Throws IoError.
  virtual std::string ReadNativeFile(const std::filesystem::path& native,
                                     std::string_view shown_path) = 0;
  // Throws IoError; see WriteFileAtomically.
  virtual void WriteNativeFileAtomically(const std::filesystem::path& native,
                                         std::string_view shown_path, std::string_view bytes) = 0;
  // Removes from a folder the temporary files of atomic writes that a killed process left.
  virtual void RemoveStaleNativeTemporaries(const std::filesystem::path& folder) = 0;

  // The search for borings below a folder.
  // Every entry of a folder, hidden ones included, in no particular order; nothing, with the
  // system's reason in `error`, when the folder cannot be read.
  virtual std::optional<std::vector<FolderEntry>> ListNativeFolder(
      const std::filesystem::path& folder, std::error_code& error) = 0;
  // `native` with every symbolic link on it resolved; nothing, with the reason in `error`, when
  // that cannot be done (a link to nothing, a loop).
  virtual std::optional<std::filesystem::path> ResolveNativeLinks(
      const std::filesystem::path& native, std::error_code& error) = 0;
  // Up to `count` bytes from the start of a file; fewer or none when it holds fewer or cannot be
  // read.
  virtual std::string ReadNativeHead(const std::filesystem::path& native, std::size_t count) = 0;

  // Drives.
  // Whether `letter` (either case) names a drive whose root is a readable folder.
  bool HasReadableDrive(char letter);
  // The current directory of the current drive ("Z:\home\me", "C:\").
  std::string CurrentDirectory() { return drives().CurrentDirectoryOf(drives().CurrentDrive()); }

  // The file operations on drive-form paths, which errors name.
  // Existence probe: the length of a file in bytes, where a missing file is created empty and
  // then has length 0 (as opening a file for random access does). An existing file is measured
  // without write access. When the file can be neither found nor created (a read-only folder, a
  // missing folder), it counts as absent: 0, and nothing fails.
  std::uintmax_t ProbeFile(std::string_view path);
  // Whether a file or folder of that name exists.
  bool PathExists(std::string_view path);
  // What exists at that path; nothing when nothing exists.
  std::optional<EntryInfo> Entry(std::string_view path);
  // The names (UTF-8) of the folders in a folder, in no particular order, without hidden ones:
  // names starting with "." on POSIX systems, hidden or system folders on Windows. Nothing when
  // the folder cannot be read.
  std::optional<std::vector<std::string>> ListSubfolders(std::string_view path);
  // Creates one folder; its parent must exist. Throws IoError.
  void MakeFolder(std::string_view path);
  // Deletes an empty file: a regular file of length 0, not a link, a pipe or anything else. A
  // deletion that fails (a read-only folder, a file already gone) is ignored.
  void DeleteFileQuietly(std::string_view path);
  // The whole content of a file. Throws IoError when it cannot be opened or read. A file system
  // that keeps files read earlier may answer from them.
  virtual std::string ReadWholeFile(std::string_view path);
  // Writes `bytes` to a temporary file beside `path` and renames it over `path`, so that readers
  // see either the old file or the complete new one. Throws IoError; on failure nothing is left
  // behind and an earlier file at `path` is untouched. The data is not forced to the disk before
  // the rename (the file systems in use order a rename over a file after that file's data).
  void WriteFileAtomically(std::string_view path, std::string_view bytes);

  // The same probe on a native path.
  std::uintmax_t ProbeNativeFile(const std::filesystem::path& native);
};

// A folder of data files: the file system it is on and its path there, in drive form ending with
// a backslash.
struct DataFolder {
  FileSystem& files;
  std::string path;

  std::string PathOf(std::string_view name) const { return path + std::string(name); }
};

// The changes a window's drive and directory lists make to `drives`, the table that `files`
// resolves paths with. Nothing else changes a drive table.
// Makes `letter` (either case) the current drive. False, with nothing changed, when the drive
// does not exist or its root is not a readable folder.
bool ChangeDrive(FileSystem& files, DriveTable& drives, char letter);
// Makes a drive-form folder path the current directory of its drive (and that drive current).
// False when the folder does not exist or cannot be read.
bool ChangeDirectory(FileSystem& files, DriveTable& drives, std::string_view drive_form_path);

// Passes every operation on to `target`. ReadWholeFile is not passed on but made of this object's
// own ToNative and ReadNativeFile, so that a wrapper that changes those changes what it reads.
class FileSystemWrapper : public FileSystem {
 public:
  explicit FileSystemWrapper(FileSystem& target) : target_(target) {}

  const DriveTable& drives() const override { return target_.drives(); }
  std::optional<std::filesystem::path> ToNative(std::string_view path) override {
    return target_.ToNative(path);
  }
  std::optional<EntryInfo> NativeEntry(const std::filesystem::path& native) override {
    return target_.NativeEntry(native);
  }
  std::vector<std::string> NativeSpellings(const std::filesystem::path& folder,
                                           std::string_view name) override {
    return target_.NativeSpellings(folder, name);
  }
  bool IsReadableFolder(const std::filesystem::path& native) override {
    return target_.IsReadableFolder(native);
  }
  void CreateEmptyNativeFile(const std::filesystem::path& native) override {
    target_.CreateEmptyNativeFile(native);
  }
  std::optional<std::vector<std::string>> ListNativeSubfolders(
      const std::filesystem::path& native) override {
    return target_.ListNativeSubfolders(native);
  }
  void MakeNativeFolder(const std::filesystem::path& native, std::string_view shown) override {
    target_.MakeNativeFolder(native, shown);
  }
  void DeleteNativeFileQuietly(const std::filesystem::path& native) override {
    target_.DeleteNativeFileQuietly(native);
  }
  std::string ReadNativeFile(const std::filesystem::path& native, std::string_view shown) override {
    return target_.ReadNativeFile(native, shown);
  }
  void WriteNativeFileAtomically(const std::filesystem::path& native, std::string_view shown,
                                 std::string_view bytes) override {
    target_.WriteNativeFileAtomically(native, shown, bytes);
  }
  void RemoveStaleNativeTemporaries(const std::filesystem::path& folder) override {
    target_.RemoveStaleNativeTemporaries(folder);
  }
  std::optional<std::vector<FolderEntry>> ListNativeFolder(const std::filesystem::path& folder,
                                                           std::error_code& error) override {
    return target_.ListNativeFolder(folder, error);
  }
  std::optional<std::filesystem::path> ResolveNativeLinks(const std::filesystem::path& native,
                                                          std::error_code& error) override {
    return target_.ResolveNativeLinks(native, error);
  }
  std::string ReadNativeHead(const std::filesystem::path& native, std::size_t count) override {
    return target_.ReadNativeHead(native, count);
  }

 private:
  FileSystem& target_;
};

}  // namespace tavrimen::platform
