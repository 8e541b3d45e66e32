// The file system of each run of a batch: what the runs of one batch share so that a batch costs
// the same per boring whether it converts a hundred borings or a national database of them.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/disk_file_system.h"

namespace tavrimen::cli {

// The files of the pattern-data folder as the batch first read them: every run of a batch
// converts with the same tables, and none reads them again.
class PatternData {
 public:
  // `folder`: drive form, ending with a backslash.
  explicit PatternData(std::string folder) : folder_(std::move(folder)) {}

  struct File {
    std::filesystem::path native;
    std::string bytes;
  };
  // Whether `path` (drive form, as the run names it) is a file of the folder.
  bool Holds(std::string_view path) const;
  std::optional<File> Find(std::string_view path);
  void Keep(std::string_view path, File file);

 private:
  const std::string folder_;
  std::mutex mutex_;
  std::map<std::string, File, std::less<>> files_;
};

// What every run of a batch shares: the pattern data, and the destination's names as they were
// before the batch. The runs find the spelling of their record file among those names instead of
// each listing the destination, which holds ever more record files. (A source whose record file
// name another source of the batch takes is refused, so no run looks up a name that another run
// creates.)
class BatchShared {
 public:
  // `destination` as the runs take it from Text1; `patdat` in drive form, ending with a backslash.
  BatchShared(const platform::DriveTable& drives, std::string destination, std::string patdat);

  // A new file system for one run, over the batch's drive table.
  std::unique_ptr<platform::FileSystem> FilesForRun(const platform::DriveTable& drives);

 private:
  PatternData pattern_data_;
  std::optional<std::filesystem::path> destination_;
  std::shared_ptr<const platform::FolderListing> destination_names_;
};

}  // namespace tavrimen::cli
