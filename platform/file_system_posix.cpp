#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/errors.h"
#include "platform/faults.h"
#include "platform/file_system.h"

namespace tavrimen::platform {
namespace fs = std::filesystem;
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

}  // namespace

std::uintmax_t ProbeNativeFile(const fs::path& native) {
  struct stat info;
  if (stat(native.c_str(), &info) == 0) {
    return S_ISREG(info.st_mode) ? static_cast<std::uintmax_t>(info.st_size) : 0;
  }
  if (!ReadOnlyScope::Active() && faults::Injected(faults::Operation::kCreate, native) == 0) {
    FileDescriptor created(open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  }
  return 0;
}

bool NativePathExists(const fs::path& native) {
  struct stat info;
  return stat(native.c_str(), &info) == 0;
}

std::optional<std::vector<std::string>> ListNativeSubfolders(const fs::path& native) {
  DIR* dir = opendir(native.c_str());
  if (dir == nullptr) return std::nullopt;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    struct stat info;
    if (stat((native / entry->d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
      names.emplace_back(entry->d_name);
    }
  }
  closedir(dir);
  return names;
}

void MakeNativeFolder(const fs::path& native, std::string_view path) {
  const FileOperation what = FileOperation::kMakeFolder;
  if (ReadOnlyScope::Active()) return;
  if (int injected = faults::Injected(faults::Operation::kMakeFolder, native)) {
    throw IoError(what, std::string(path), ErrnoError(injected));
  }
  if (mkdir(native.c_str(), 0777) != 0 && errno != EEXIST) {
    throw IoError(what, std::string(path), ErrnoError(errno));
  }
}

void DeleteNativeFileQuietly(const fs::path& native) {
  if (!ReadOnlyScope::Active() && faults::Injected(faults::Operation::kDelete, native) == 0) {
    unlink(native.c_str());
  }
}

std::string ReadNativeFile(const fs::path& native, std::string_view shown_path) {
  const FileOperation what = FileOperation::kRead;
  const std::string path(shown_path);
  if (int injected = faults::Injected(faults::Operation::kRead, native)) {
    throw IoError(what, path, ErrnoError(injected));
  }
  FileDescriptor fd(open(native.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw IoError(what, path, ErrnoError(errno));
  struct stat info;
  if (fstat(fd.get(), &info) == 0 && S_ISDIR(info.st_mode)) {
    throw IoError(what, path, ErrnoError(EISDIR));
  }
  std::string content;
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw IoError(what, path, ErrnoError(errno));
    }
    if (n == 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
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
  std::string temp_template =
      (native.parent_path() / ("." + native.filename().string() + ".XXXXXX")).string();
  FileDescriptor fd(mkstemp(temp_template.data()));
  if (fd.get() < 0) throw IoError(what, std::string(path), ErrnoError(errno));
  const std::string temp = temp_template;
  auto fail = [&](int error_number) {
    unlink(temp.c_str());
    throw IoError(what, std::string(path), ErrnoError(error_number));
  };
  fchmod(fd.get(), 0644);
  const int injected_write_error = faults::Injected(faults::Operation::kWrite, native);
  if (injected_write_error != 0) bytes = bytes.substr(0, bytes.size() / 2);
  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = write(fd.get(), bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    written += static_cast<std::size_t>(n);
  }
  if (injected_write_error != 0) fail(injected_write_error);
  if (close(fd.release()) != 0) fail(errno);
  if (rename(temp.c_str(), native.c_str()) != 0) fail(errno);
}

}  // namespace tavrimen::platform
