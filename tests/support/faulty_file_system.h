// Test support: a file system that fails as a read-only, full or failing medium would, where real
// permissions cannot (tests run as root in CI).
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace tavrimen::testing {

class FaultyFileSystem : public platform::FileSystemWrapper {
 public:
  enum class Operation { kCreate, kDelete, kRead, kWrite, kMakeFolder };

  using FileSystemWrapper::FileSystemWrapper;

  // From now on, `operation` on native paths at or below `folder` fails with `error_number`:
  // a probe creates no file (kCreate) and a deletion deletes nothing (kDelete), which the file
  // system ignores; reading, writing (kCreate for the file, kWrite for its bytes) and making a
  // folder throw IoError.
  void FailBelow(const std::filesystem::path& folder, Operation operation, int error_number);

  void CreateEmptyNativeFile(const std::filesystem::path& native) override;
  void DeleteNativeFileQuietly(const std::filesystem::path& native) override;
  std::string ReadNativeFile(const std::filesystem::path& native, std::string_view shown) override;
  void WriteNativeFileAtomically(const std::filesystem::path& native, std::string_view shown,
                                 std::string_view bytes) override;
  void MakeNativeFolder(const std::filesystem::path& native, std::string_view shown) override;

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
