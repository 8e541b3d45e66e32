#include "cli/batch_file_system.h"

#include "reference/path_checks.h"

namespace tavrimen::cli {
namespace {

// A run's file system that reads the pattern-data files through the batch's copy of them.
class RunFileSystem : public platform::FileSystemWrapper {
 public:
  RunFileSystem(std::unique_ptr<platform::DiskFileSystem> disk, PatternData& pattern_data)
      : FileSystemWrapper(*disk), disk_(std::move(disk)), pattern_data_(pattern_data) {}

  std::optional<std::filesystem::path> ToNative(std::string_view path) override {
    if (pattern_data_.Holds(path)) {
      if (auto kept = pattern_data_.Find(path)) return kept->native;
    }
    return FileSystemWrapper::ToNative(path);
  }
  std::string ReadWholeFile(std::string_view path) override {
    if (!pattern_data_.Holds(path)) return FileSystemWrapper::ReadWholeFile(path);
    if (auto kept = pattern_data_.Find(path)) return kept->bytes;
    const std::optional<std::filesystem::path> native = ToNative(path);
    if (!native) return FileSystemWrapper::ReadWholeFile(path);  // which says why
    std::string bytes = ReadNativeFile(*native, path);
    pattern_data_.Keep(path, {*native, bytes});
    return bytes;
  }

 private:
  std::unique_ptr<platform::DiskFileSystem> disk_;
  PatternData& pattern_data_;
};

}  // namespace

bool PatternData::Holds(std::string_view path) const {
  return path.size() > folder_.size() && path.substr(0, folder_.size()) == folder_;
}

std::optional<PatternData::File> PatternData::Find(std::string_view path) {
  std::lock_guard lock(mutex_);
  auto found = files_.find(path);
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

void PatternData::Keep(std::string_view path, File file) {
  std::lock_guard lock(mutex_);
  files_.emplace(std::string(path), std::move(file));
}

BatchShared::BatchShared(const platform::DriveTable& drives, std::string destination,
                         std::string patdat)
    : pattern_data_(std::move(patdat)) {
  platform::DiskFileSystem files(drives);
  if (CheckFolderPath(files, destination) != PathVerdict::kAccepted) return;
  destination_ = files.ToNative(destination);
  if (!destination_) return;
  auto listing = platform::FolderListing::OfDestination(*destination_);
  // A destination that is missing is created by the first run: empty.
  destination_names_ = std::make_shared<const platform::FolderListing>(
      listing ? std::move(*listing) : platform::FolderListing({}));
}

std::unique_ptr<platform::FileSystem> BatchShared::FilesForRun(const platform::DriveTable& drives) {
  auto disk = std::make_unique<platform::DiskFileSystem>(drives);
  if (destination_) disk->UseListing(*destination_, destination_names_);
  return std::make_unique<RunFileSystem>(std::move(disk), pattern_data_);
}

}  // namespace tavrimen::cli
