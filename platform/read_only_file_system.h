// A file system that changes nothing on disk: the probe creates no file, deletions and folder
// creation and the removal of stale temporary files do nothing, and writing a file fails as on a
// read-only medium. For checking a data set without touching it.
#pragma once

#include "platform/file_system.h"

namespace tavrimen::platform {

class ReadOnlyFileSystem : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  void CreateEmptyNativeFile(const std::filesystem::path&) override {}
  void MakeNativeFolder(const std::filesystem::path&, std::string_view) override {}
  void DeleteNativeFileQuietly(const std::filesystem::path&) override {}
  void RemoveStaleNativeTemporaries(const std::filesystem::path&) override {}
  void WriteNativeFileAtomically(const std::filesystem::path& native, std::string_view shown,
                                 std::string_view bytes) override;
};

}  // namespace tavrimen::platform
