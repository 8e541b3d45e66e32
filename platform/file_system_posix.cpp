#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>
#include <string>

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
  void Reset(int fd) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

}  // namespace

EntryInfo InfoOf(const struct stat& info) {
  if (!S_ISREG(info.st_mode)) return {false, S_ISDIR(info.st_mode), 0};
  return {true, false, static_cast<std::uintmax_t>(info.st_size)};
}

std::optional<EntryInfo> EntryOf(const fs::path& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  return InfoOf(info);
}

bool CreateEmptyFile(const fs::path& path) {
  FileDescriptor created(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  return created.get() >= 0;
}

SpelledEntry LookUpAsSpelled(const fs::path& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return {};
  if (S_ISLNK(info.st_mode)) return {true, std::nullopt};
  return {true, InfoOf(info)};
}

bool IsReadableFolder(const fs::path& path) {
  DIR* dir = opendir(path.c_str());
  if (dir == nullptr) return false;
  closedir(dir);
  return true;
}

std::optional<std::vector<std::string>> Names(const fs::path& folder) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  closedir(dir);
  return names;
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

bool DeleteEmptyFile(const fs::path& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size != 0) {
    return false;
  }
  return unlink(path.c_str()) == 0;
}

std::error_code ReadFile(const fs::path& path, std::string& content,
                         std::optional<std::uintmax_t> expected_length) {
  // A pipe is opened without waiting for a writer, and refused with anything else that is not a
  // regular file.
  FileDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return ErrnoError(errno);
  if (!expected_length) {
    struct stat info;
    if (fstat(fd.get(), &info) != 0) return ErrnoError(errno);
    if (!S_ISREG(info.st_mode)) return RefusalError(FileRefusal::kNotAFile);
    expected_length = static_cast<std::uintmax_t>(info.st_size);
  }
  if (*expected_length > kLargestDataFile) return RefusalError(FileRefusal::kTooLarge);
  // The buffer holds one byte more than the expected length, so that a file of that length is
  // read whole by one call, which tells its end too.
  constexpr std::size_t kChunk = 65536;
  const auto expected = static_cast<std::size_t>(*expected_length);
  std::size_t filled = 0;
  content.resize(expected + 1);
  for (;;) {
    if (filled == content.size()) content.resize(content.size() + kChunk);
    const ssize_t n = read(fd.get(), content.data() + filled, content.size() - filled);
    if (n < 0) {
      if (errno == EINTR) continue;
      content.clear();
      return ErrnoError(errno);
    }
    filled += static_cast<std::size_t>(n);
    if (filled > kLargestDataFile) {
      content.clear();
      return RefusalError(FileRefusal::kTooLarge);
    }
    if (n == 0 || (filled == expected && filled < content.size())) break;
  }
  content.resize(filled);
  return {};
}

namespace {

// A short name, whatever the length of the record file's: a folder name of 255 bytes leaves no
// room for a longer one.
std::string TemporaryName() {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 random(std::random_device{}());
  std::string name(kTemporaryPrefix);
  for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

// Gives the unnamed file `fd` the name `to` (relative to the folder `dir`): through the
// descriptor itself where the system lets this process do so (newer kernels, or with the
// capability), else through its /proc entry, which costs a walk through /proc for every file.
int LinkUnnamed(int fd, int dir, const char* to) {
  static std::atomic<bool> by_descriptor{true};
  if (by_descriptor.load(std::memory_order_relaxed)) {
    if (linkat(fd, "", dir, to, AT_EMPTY_PATH) == 0) return 0;
    if (errno != ENOENT && errno != EPERM) return -1;
    by_descriptor.store(false, std::memory_order_relaxed);
  }
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return linkat(AT_FDCWD, self.c_str(), dir, to, AT_SYMLINK_FOLLOW);
}

// Writes `bytes` atomically to `target` in `folder`, both relative to the open folder `dir` (or
// to the working folder, AT_FDCWD).
std::error_code WriteAtomicallyAt(int dir, const fs::path& folder, const fs::path& target,
                                  std::string_view bytes) {
  // The bytes go to an unnamed file where the system offers one, so that a process killed while
  // writing leaves nothing behind; it gets a short name only for the moment before the rename.
  FileDescriptor fd(openat(dir, folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  const bool unnamed = fd.get() >= 0;
  if (!unnamed && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
    return ErrnoError(errno);
  }
  fs::path temp;
  auto fail = [&](int error_number) {
    if (!temp.empty()) unlinkat(dir, temp.c_str(), 0);
    return ErrnoError(error_number);
  };
  if (!unnamed) {
    for (int attempt = 0; fd.get() < 0; ++attempt) {
      temp = folder / TemporaryName();
      fd.Reset(openat(dir, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
      if (fd.get() < 0 && (errno != EEXIST || attempt == 100)) {
        temp.clear();
        return ErrnoError(errno);
      }
    }
  }
  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = write(fd.get(), bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    written += static_cast<std::size_t>(n);
  }
  // A file that is replaced keeps its mode; a new one has what the umask leaves of 0666. Where no
  // file of that name exists, the complete unnamed file takes the name at once, and nothing needs
  // to be looked up first.
  if (unnamed && LinkUnnamed(fd.get(), dir, target.c_str()) == 0) {
    if (close(fd.release()) != 0) return ErrnoError(errno);
    return {};
  }
  struct stat earlier;
  if (fstatat(dir, target.c_str(), &earlier, 0) == 0 && S_ISREG(earlier.st_mode)) {
    fchmod(fd.get(), earlier.st_mode & 07777);
  }
  for (int attempt = 0; temp.empty(); ++attempt) {
    temp = folder / TemporaryName();
    if (LinkUnnamed(fd.get(), dir, temp.c_str()) != 0) {
      const int error_number = errno;
      temp.clear();
      if (error_number != EEXIST || attempt == 100) return ErrnoError(error_number);
    }
  }
  if (close(fd.release()) != 0) return fail(errno);
  if (renameat(dir, temp.c_str(), dir, target.c_str()) != 0) return fail(errno);
  return {};
}

}  // namespace

std::error_code WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  return WriteAtomicallyAt(AT_FDCWD, folder, path, bytes);
}

// The folder is opened only to name files in it (O_PATH), which needs no permission to read it.
WritingFolder::WritingFolder(fs::path path)
    : path_(std::move(path)), descriptor_(open(path_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

WritingFolder::~WritingFolder() {
  if (descriptor_ >= 0) close(descriptor_);
}

std::error_code WritingFolder::WriteFileAtomically(const fs::path& name,
                                                   std::string_view bytes) const {
  if (descriptor_ < 0) return native::WriteFileAtomically(path_ / name, bytes);
  return WriteAtomicallyAt(descriptor_, ".", name, bytes);
}

bool RemoveIfStale(const fs::path& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         time(nullptr) - info.st_mtime > 60 && unlink(path.c_str()) == 0;
}

}  // namespace tavrimen::platform::native
