// The drive changes and the operations on drive-form paths, the same for every file system: each
// resolves its path and calls the native operation.
#include "platform/file_system.h"

#include <cerrno>

#include "platform/errors.h"

namespace tavrimen::platform {
namespace fs = std::filesystem;
namespace {

fs::path NativeOrThrow(FileSystem& files, std::string_view path, FileOperation operation) {
  auto native = files.ToNative(path);
  if (!native) throw IoError(operation, std::string(path), ErrnoError(ENODEV));
  return *native;
}

}  // namespace

bool FileSystem::HasReadableDrive(char letter) {
  auto root = drives().RootOf(letter);
  return root && IsReadableFolder(*root);
}

bool ChangeDrive(FileSystem& files, DriveTable& drives, char letter) {
  return files.HasReadableDrive(letter) && drives.SetCurrentDrive(letter);
}

bool ChangeDirectory(FileSystem& files, DriveTable& drives, std::string_view drive_form_path) {
  auto resolved = drives.Resolve(drive_form_path);
  if (!resolved) return false;
  auto native = files.ToNative(drive_form_path);
  if (!native || !files.IsReadableFolder(*native)) return false;
  drives.SetCurrentDirectory(*resolved);
  return true;
}

std::uintmax_t FileSystem::ProbeNativeFile(const fs::path& native) {
  if (auto entry = NativeEntry(native)) return entry->length;
  CreateEmptyNativeFile(native);
  return 0;
}

std::uintmax_t FileSystem::ProbeFile(std::string_view path) {
  auto native = ToNative(path);
  return native ? ProbeNativeFile(*native) : 0;
}

bool FileSystem::PathExists(std::string_view path) { return Entry(path).has_value(); }

std::optional<EntryInfo> FileSystem::Entry(std::string_view path) {
  auto native = ToNative(path);
  if (!native) return std::nullopt;
  return NativeEntry(*native);
}

std::optional<std::vector<std::string>> FileSystem::ListSubfolders(std::string_view path) {
  auto native = ToNative(path);
  if (!native) return std::nullopt;
  return ListNativeSubfolders(*native);
}

void FileSystem::MakeFolder(std::string_view path) {
  MakeNativeFolder(NativeOrThrow(*this, path, FileOperation::kMakeFolder), path);
}

void FileSystem::DeleteFileQuietly(std::string_view path) {
  if (auto native = ToNative(path)) DeleteNativeFileQuietly(*native);
}

std::string FileSystem::ReadWholeFile(std::string_view path) {
  return ReadNativeFile(NativeOrThrow(*this, path, FileOperation::kRead), path);
}

void FileSystem::WriteFileAtomically(std::string_view path, std::string_view bytes) {
  WriteNativeFileAtomically(NativeOrThrow(*this, path, FileOperation::kWrite), path, bytes);
}

}  // namespace tavrimen::platform
