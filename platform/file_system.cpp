// The file operations, the same on every system: each resolves its drive-form path, honours the
// read-only scope and the test seam of failing media, and calls the system's raw operation.
#include "platform/file_system.h"

#include <cerrno>

#include "platform/drives.h"
#include "platform/errors.h"
#include "platform/faults.h"
#include "platform/file_system_native.h"

namespace tavrimen::platform {
namespace fs = std::filesystem;
namespace {

thread_local bool read_only = false;

fs::path NativeOrThrow(std::string_view path, FileOperation operation) {
  auto native = ToNative(path);
  if (!native) throw IoError(operation, std::string(path), ErrnoError(ENODEV));
  return *native;
}

void ThrowIfFailed(FileOperation operation, std::string_view shown_path, std::error_code error) {
  if (error) throw IoError(operation, std::string(shown_path), error);
}

}  // namespace

ReadOnlyScope::ReadOnlyScope() : previous_(read_only) { read_only = true; }
ReadOnlyScope::~ReadOnlyScope() { read_only = previous_; }
bool ReadOnlyScope::Active() { return read_only; }

std::uintmax_t ProbeNativeFile(const fs::path& native) {
  if (auto length = native::EntryLength(native)) return *length;
  if (!ReadOnlyScope::Active() && faults::Injected(faults::Operation::kCreate, native) == 0) {
    native::CreateEmptyFile(native);
  }
  return 0;
}

bool NativePathExists(const fs::path& native) { return native::Exists(native); }

std::optional<std::vector<std::string>> ListNativeSubfolders(const fs::path& native) {
  return native::Subfolders(native);
}

void MakeNativeFolder(const fs::path& native, std::string_view path) {
  if (ReadOnlyScope::Active()) return;
  const int injected = faults::Injected(faults::Operation::kMakeFolder, native);
  ThrowIfFailed(FileOperation::kMakeFolder, path,
                injected != 0 ? ErrnoError(injected) : native::MakeFolder(native));
}

void DeleteNativeFileQuietly(const fs::path& native) {
  if (!ReadOnlyScope::Active() && faults::Injected(faults::Operation::kDelete, native) == 0) {
    native::DeleteFileIgnoringErrors(native);
  }
}

std::string ReadNativeFile(const fs::path& native, std::string_view shown_path) {
  std::string content;
  const int injected = faults::Injected(faults::Operation::kRead, native);
  ThrowIfFailed(FileOperation::kRead, shown_path,
                injected != 0 ? ErrnoError(injected) : native::ReadFile(native, content));
  return content;
}

void WriteNativeFileAtomically(const fs::path& native, std::string_view shown_path,
                               std::string_view bytes) {
  const int injected =
      ReadOnlyScope::Active() ? EROFS : faults::Injected(faults::Operation::kCreate, native);
  ThrowIfFailed(FileOperation::kWrite, shown_path,
                injected != 0
                    ? ErrnoError(injected)
                    : native::WriteFileAtomically(
                          native, bytes, faults::Injected(faults::Operation::kWrite, native)));
}

std::uintmax_t ProbeFile(std::string_view path) {
  auto native = ToNative(path);
  return native ? ProbeNativeFile(*native) : 0;
}

bool PathExists(std::string_view path) {
  auto native = ToNative(path);
  return native && NativePathExists(*native);
}

std::optional<std::vector<std::string>> ListSubfolders(std::string_view path) {
  auto native = ToNative(path);
  if (!native) return std::nullopt;
  return ListNativeSubfolders(*native);
}

void MakeFolder(std::string_view path) {
  MakeNativeFolder(NativeOrThrow(path, FileOperation::kMakeFolder), path);
}

void DeleteFileQuietly(std::string_view path) {
  if (auto native = ToNative(path)) DeleteNativeFileQuietly(*native);
}

std::string ReadWholeFile(std::string_view path) {
  return ReadNativeFile(NativeOrThrow(path, FileOperation::kRead), path);
}

void WriteFileAtomically(std::string_view path, std::string_view bytes) {
  WriteNativeFileAtomically(NativeOrThrow(path, FileOperation::kWrite), path, bytes);
}

}  // namespace tavrimen::platform
