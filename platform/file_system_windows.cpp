// File-system operations through the wide-character Windows API, so that Japanese names work.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string>

#include "platform/errors.h"
#include "platform/file_system_native.h"
#include "platform/paths.h"

namespace tavrimen::platform::native {
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

std::optional<EntryInfo> EntryOf(const fs::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return EntryInfo{false, true, 0};
  return EntryInfo{true, false,
                   (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

bool CreateEmptyFile(const fs::path& path) {
  Handle created(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  return created.valid();
}

// The system matches names without regard to letter case itself: every path is as on disk.
SpelledEntry LookUpAsSpelled(const fs::path&) { return {true, std::nullopt}; }

// The names in a folder that `keep` accepts; nothing when the folder cannot be read.
template <typename Keep>
std::optional<std::vector<std::string>> NamesWhere(const fs::path& folder, Keep keep) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder / L"*").c_str(), &found);
  std::vector<std::string> names;
  if (search == INVALID_HANDLE_VALUE) {
    // An empty drive root has not even "." and "..".
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return names;
    return std::nullopt;
  }
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L".." && keep(found)) {
      names.push_back(Utf8String(fs::path(found.cFileName)));
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

bool IsReadableFolder(const fs::path& path) {
  return NamesWhere(path, [](auto&) { return false; }).has_value();
}

std::optional<std::vector<std::string>> Names(const fs::path& folder) {
  return NamesWhere(folder, [](const WIN32_FIND_DATAW&) { return true; });
}

std::optional<std::vector<std::string>> Subfolders(const fs::path& folder) {
  return NamesWhere(folder, [](const WIN32_FIND_DATAW& found) {
    const DWORD hidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(found.dwFileAttributes & hidden) && found.cFileName[0] != L'.';
  });
}

std::error_code MakeFolder(const fs::path& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return {};
  const DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesW(path.c_str());
  const bool folder_exists =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (error == ERROR_ALREADY_EXISTS && folder_exists) return {};
  return WindowsError(error);
}

bool DeleteEmptyFile(const fs::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  const DWORD not_plain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  if ((data.dwFileAttributes & not_plain) || data.nFileSizeHigh != 0 || data.nFileSizeLow != 0) {
    return false;
  }
  return DeleteFileW(path.c_str()) != 0;
}

std::error_code ReadFile(const fs::path& path, std::string& content,
                         std::optional<std::uintmax_t>) {
  // A folder cannot be opened as a file; it is no data file either.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return RefusalError(FileRefusal::kNotAFile);
  }
  Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return WindowsError(GetLastError());
  // A pipe, a console or a device is no data file.
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return RefusalError(FileRefusal::kNotAFile);
  LARGE_INTEGER size;
  if (GetFileSizeEx(file.get(), &size) &&
      static_cast<std::uintmax_t>(size.QuadPart) > kLargestDataFile) {
    return RefusalError(FileRefusal::kTooLarge);
  }
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      return WindowsError(GetLastError());
    }
    if (read == 0) return {};
    if (content.size() + read > kLargestDataFile) {
      content.clear();
      return RefusalError(FileRefusal::kTooLarge);
    }
    content.append(buffer, read);
  }
}

std::error_code WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  // A short name, whatever the length of the record file's.
  static std::atomic<unsigned> counter{0};
  const unsigned number = (GetCurrentProcessId() * 7919u + counter++) % 2176782336u;  // 36^6
  std::wstring letters;
  for (unsigned rest = number, i = 0; i < 6; ++i, rest /= 36) {
    letters += L"abcdefghijklmnopqrstuvwxyz0123456789"[rest % 36];
  }
  const fs::path temp =
      path.parent_path() / (Utf8Path(std::string(kTemporaryPrefix)).wstring() + letters);
  Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return WindowsError(GetLastError());
  auto fail = [&](std::error_code reason) {
    if (file.valid()) file.Close();
    DeleteFileW(temp.c_str());
    return reason;
  };
  std::size_t written = 0;
  while (written < bytes.size()) {
    DWORD n = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
    if (!WriteFile(file.get(), bytes.data() + written, chunk, &n, nullptr)) {
      return fail(WindowsError(GetLastError()));
    }
    written += n;
  }
  if (!file.Close()) return fail(WindowsError(GetLastError()));
  if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return fail(WindowsError(GetLastError()));
  }
  return {};
}

// Windows names each file by its whole path.
WritingFolder::WritingFolder(fs::path path) : path_(std::move(path)) {}

WritingFolder::~WritingFolder() = default;

std::error_code WritingFolder::WriteFileAtomically(const fs::path& name,
                                                   std::string_view bytes) const {
  return native::WriteFileAtomically(path_ / name, bytes);
}

bool RemoveIfStale(const fs::path& path) {
  FILETIME now_time;
  GetSystemTimeAsFileTime(&now_time);
  const ULONGLONG now = (ULONGLONG{now_time.dwHighDateTime} << 32) | now_time.dwLowDateTime;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return false;
  }
  const ULONGLONG written =
      (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
  return now - written > 60ull * 10'000'000ull && DeleteFileW(path.c_str());
}

}  // namespace tavrimen::platform::native
