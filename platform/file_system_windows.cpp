// File-system operations through the wide-character Windows API, so that Japanese names work.
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "platform/errors.h"
#include "platform/faults.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tavrimen::platform {
namespace fs = std::filesystem;
namespace {

// A Windows error as the errno value that means the same, where one does.
std::error_code WindowsError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ErrnoError(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return ErrnoError(EACCES);
    case ERROR_WRITE_PROTECT:
      return ErrnoError(EROFS);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ErrnoError(ENOSPC);
    case ERROR_DIRECTORY:
      return ErrnoError(ENOTDIR);
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return ErrnoError(EEXIST);
    case ERROR_NOT_READY:
      return ErrnoError(ENXIO);
    default:
      return {static_cast<int>(error), std::system_category()};
  }
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool Close() {
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::uintmax_t ProbeNativeFile(const fs::path& native) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExW(native.c_str(), GetFileExInfoStandard, &data)) {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    return (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  if (!ReadOnlyScope::Active() && faults::Injected(faults::Operation::kCreate, native) == 0) {
    Handle created(CreateFileW(native.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  return 0;
}

bool NativePathExists(const fs::path& native) {
  return GetFileAttributesW(native.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::vector<std::string>> ListNativeSubfolders(const fs::path& native) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((native / L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<std::string> names;
  do {
    const DWORD hidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & hidden) &&
        found.cFileName[0] != L'.') {
      names.push_back(Utf8String(fs::path(found.cFileName)));
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

void MakeNativeFolder(const fs::path& native, std::string_view path) {
  const FileOperation what = FileOperation::kMakeFolder;
  if (ReadOnlyScope::Active()) return;
  if (int injected = faults::Injected(faults::Operation::kMakeFolder, native)) {
    throw IoError(what, std::string(path), ErrnoError(injected));
  }
  if (!CreateDirectoryW(native.c_str(), nullptr)) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(native.c_str());
    const bool folder_exists =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (error != ERROR_ALREADY_EXISTS || !folder_exists) {
      throw IoError(what, std::string(path), WindowsError(error));
    }
  }
}

void DeleteNativeFileQuietly(const fs::path& native) {
  if (!ReadOnlyScope::Active() && faults::Injected(faults::Operation::kDelete, native) == 0) {
    DeleteFileW(native.c_str());
  }
}

std::string ReadNativeFile(const fs::path& native, std::string_view shown_path) {
  const std::string path(shown_path);
  if (int injected = faults::Injected(faults::Operation::kRead, native)) {
    throw IoError(FileOperation::kRead, path, ErrnoError(injected));
  }
  Handle file(CreateFileW(native.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) throw IoError(FileOperation::kRead, path, WindowsError(GetLastError()));
  std::string content;
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      throw IoError(FileOperation::kRead, path, WindowsError(GetLastError()));
    }
    if (read == 0) break;
    content.append(buffer, read);
  }
  return content;
}

void WriteNativeFileAtomically(const fs::path& native, std::string_view path,
                               std::string_view bytes) {
  const FileOperation what = FileOperation::kWrite;
  if (int injected =
          ReadOnlyScope::Active() ? EROFS : faults::Injected(faults::Operation::kCreate, native)) {
    throw IoError(what, std::string(path), ErrnoError(injected));
  }
  static std::atomic<unsigned> counter{0};
  const fs::path temp = native.parent_path() / (L"." + native.filename().wstring() + L"." +
                                                std::to_wstring(GetCurrentProcessId()) + L"." +
                                                std::to_wstring(counter++));
  Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) throw IoError(what, std::string(path), WindowsError(GetLastError()));
  auto fail = [&](std::error_code reason) {
    if (file.valid()) file.Close();
    DeleteFileW(temp.c_str());
    throw IoError(what, std::string(path), reason);
  };
  const int injected_write_error = faults::Injected(faults::Operation::kWrite, native);
  if (injected_write_error != 0) bytes = bytes.substr(0, bytes.size() / 2);
  std::size_t written = 0;
  while (written < bytes.size()) {
    DWORD n = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
    if (!WriteFile(file.get(), bytes.data() + written, chunk, &n, nullptr)) {
      fail(WindowsError(GetLastError()));
    }
    written += n;
  }
  if (injected_write_error != 0) fail(ErrnoError(injected_write_error));
  if (!file.Close()) fail(WindowsError(GetLastError()));
  if (!MoveFileExW(temp.c_str(), native.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    fail(WindowsError(GetLastError()));
  }
}

}  // namespace tavrimen::platform
