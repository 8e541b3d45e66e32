// Test support: a file system that fails as a read-only, full or failing medium would, where real
// permissions cannot (tests run as root in CI).
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "platform/file_system.h"

namespace tavrimen::testing {

#ifndef _WIN32
// While it lives, this process's writes stop with EFBIG at `bytes` bytes of a file, as on a medium
// that fills up half-way through a write. The signal such a write raises is ignored, so the error
// reaches the code under test.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : old_signal_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &old_limit_);
    rlimit limit = old_limit_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_limit_);
    std::signal(SIGXFSZ, old_signal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_limit_{};
  void (*old_signal_)(int);
};
#endif

class FaultyFileSystem : public platform::FileSystemWrapper {
 public:
  enum class Operation { kCreate, kDelete, kRead, kWrite, kMakeFolder, kList };

  using FileSystemWrapper::FileSystemWrapper;

  // From now on, `operation` on native paths at or below `folder` fails with `error_number`:
  // a probe creates no file (kCreate) and a deletion deletes nothing (kDelete), which the file
  // system ignores; reading, writing (kCreate for the file, kWrite for its bytes) and making a
  // folder throw IoError; a folder's listing (kList) is refused.
  void FailBelow(const std::filesystem::path& folder, Operation operation, int error_number);

  void CreateEmptyNativeFile(const std::filesystem::path& native) override;
  void DeleteNativeFileQuietly(const std::filesystem::path& native) override;
  std::string ReadNativeFile(const std::filesystem::path& native, std::string_view shown) override;
  void WriteNativeFileAtomically(const std::filesystem::path& native, std::string_view shown,
                                 std::string_view bytes) override;
  void MakeNativeFolder(const std::filesystem::path& native, std::string_view shown) override;
  std::optional<std::vector<platform::FolderEntry>> ListNativeFolder(
      const std::filesystem::path& folder, std::error_code& error) override;

 private:
  struct Fault {
    std::filesystem::path folder;
    Operation operation;
    int error_number;
  };
  // The errno that `operation` on `native` fails with, or 0.
  int Injected(Operation operation, const std::filesystem::path& native) const;

  std::vector<Fault> faults_;
};

}  // namespace tavrimen::testing
