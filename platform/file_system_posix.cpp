#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/errors.h"
#include "platform/file_system_native.h"

namespace tavrimen::platform::native {
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

std::optional<std::uintmax_t> EntryLength(const fs::path& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  return S_ISREG(info.st_mode) ? static_cast<std::uintmax_t>(info.st_size) : 0;
}

void CreateEmptyFile(const fs::path& path) {
  FileDescriptor created(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
}

bool Exists(const fs::path& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

std::optional<std::vector<std::string>> Subfolders(const fs::path& folder) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    struct stat info;
    if (stat((folder / entry->d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
      names.emplace_back(entry->d_name);
    }
  }
  closedir(dir);
  return names;
}

std::error_code MakeFolder(const fs::path& path) {
  if (mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return ErrnoError(errno);
  return {};
}

void DeleteFileIgnoringErrors(const fs::path& path) { unlink(path.c_str()); }

std::error_code ReadFile(const fs::path& path, std::string& content) {
  FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return ErrnoError(errno);
  struct stat info;
  if (fstat(fd.get(), &info) == 0 && S_ISDIR(info.st_mode)) return ErrnoError(EISDIR);
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrnoError(errno);
    }
    if (n == 0) return {};
    content.append(buffer, static_cast<std::size_t>(n));
  }
}

std::error_code WriteFileAtomically(const fs::path& path, std::string_view bytes,
                                    int fail_after_half) {
  std::string temp = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
  FileDescriptor fd(mkstemp(temp.data()));
  if (fd.get() < 0) return ErrnoError(errno);
  auto fail = [&](int error_number) {
    unlink(temp.c_str());
    return ErrnoError(error_number);
  };
  fchmod(fd.get(), 0644);
  if (fail_after_half != 0) bytes = bytes.substr(0, bytes.size() / 2);
  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = write(fd.get(), bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    written += static_cast<std::size_t>(n);
  }
  if (fail_after_half != 0) return fail(fail_after_half);
  if (close(fd.release()) != 0) return fail(errno);
  if (rename(temp.c_str(), path.c_str()) != 0) return fail(errno);
  return {};
}

}  // namespace tavrimen::platform::native
