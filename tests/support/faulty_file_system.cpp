#include "support/faulty_file_system.h"

#include <string>

#include "platform/errors.h"

namespace tavrimen::testing {
namespace {

namespace fs = std::filesystem;

bool IsAtOrBelow(const fs::path& folder, const fs::path& native) {
  auto it = native.begin();
  for (const auto& part : folder) {
    if (part.empty()) continue;
    if (it == native.end() || *it != part) return false;
    ++it;
  }
  return true;
}

void ThrowIf(int error_number, FileOperation operation, std::string_view shown) {
  if (error_number != 0) {
    throw IoError(operation, std::string(shown), ErrnoError(error_number));
  }
}

}  // namespace

void FaultyFileSystem::FailBelow(const fs::path& folder, Operation operation, int error_number) {
  faults_.push_back({folder.lexically_normal(), operation, error_number});
}

int FaultyFileSystem::Injected(Operation operation, const fs::path& native) const {
  const fs::path normal = native.lexically_normal();
  for (const Fault& fault : faults_) {
    if (fault.operation == operation && IsAtOrBelow(fault.folder, normal)) {
      return fault.error_number;
    }
  }
  return 0;
}

void FaultyFileSystem::CreateEmptyNativeFile(const fs::path& native) {
  if (Injected(Operation::kCreate, native) == 0) FileSystemWrapper::CreateEmptyNativeFile(native);
}

void FaultyFileSystem::DeleteNativeFileQuietly(const fs::path& native) {
  if (Injected(Operation::kDelete, native) == 0) {
    FileSystemWrapper::DeleteNativeFileQuietly(native);
  }
}

std::string FaultyFileSystem::ReadNativeFile(const fs::path& native, std::string_view shown) {
  ThrowIf(Injected(Operation::kRead, native), FileOperation::kRead, shown);
  return FileSystemWrapper::ReadNativeFile(native, shown);
}

void FaultyFileSystem::WriteNativeFileAtomically(const fs::path& native, std::string_view shown,
                                                 std::string_view bytes) {
  ThrowIf(Injected(Operation::kCreate, native), FileOperation::kWrite, shown);
  ThrowIf(Injected(Operation::kWrite, native), FileOperation::kWrite, shown);
  FileSystemWrapper::WriteNativeFileAtomically(native, shown, bytes);
}

void FaultyFileSystem::MakeNativeFolder(const fs::path& native, std::string_view shown) {
  ThrowIf(Injected(Operation::kMakeFolder, native), FileOperation::kMakeFolder, shown);
  FileSystemWrapper::MakeNativeFolder(native, shown);
}

std::optional<std::vector<platform::FolderEntry>> FaultyFileSystem::ListNativeFolder(
    const fs::path& folder, std::error_code& error) {
  if (const int error_number = Injected(Operation::kList, folder); error_number != 0) {
    error = ErrnoError(error_number);
    return std::nullopt;
  }
  return FileSystemWrapper::ListNativeFolder(folder, error);
}

}  // namespace tavrimen::testing
