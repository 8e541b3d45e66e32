#include "platform/read_only_file_system.h"

#include <cerrno>

#include "platform/errors.h"

namespace tavrimen::platform {

void ReadOnlyFileSystem::WriteNativeFileAtomically(const std::filesystem::path&,
                                                   std::string_view shown, std::string_view) {
  throw IoError(FileOperation::kWrite, std::string(shown), ErrnoError(EROFS));
}

}  // namespace tavrimen::platform
