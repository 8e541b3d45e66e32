// The file operations on drive-form paths, the same on every platform: each resolves its path and
// calls the platform's native operation.
#include "platform/file_system.h"

#include <cerrno>

#include "platform/drives.h"
#include "platform/errors.h"

namespace tavrimen::platform {
namespace fs = std::filesystem;
namespace {

thread_local bool read_only = false;

fs::path NativeOrThrow(std::string_view path, FileOperation operation) {
  auto native = ToNative(path);
  if (!native) throw IoError(operation, std::string(path), ErrnoError(ENODEV));
  return *native;
}

}  // namespace

ReadOnlyScope::ReadOnlyScope() : previous_(read_only) { read_only = true; }
ReadOnlyScope::~ReadOnlyScope() { read_only = previous_; }
bool ReadOnlyScope::Active() { return read_only; }

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
