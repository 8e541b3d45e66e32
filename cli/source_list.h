// The source folders of a batch, in drive form, kept compactly enough for a national database of
// borings: a path is kept as its parent folder, shared with the paths before it that have the
// same one, and its own name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/file_system.h"
#include "platform/native_paths.h"

namespace tavrimen::cli {

class SourceList {
 public:
  void Add(const platform::DriveFormPath& path);

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  platform::DriveFormPath operator[](std::size_t index) const;

 private:
  struct Entry {
    std::uint32_t parent;    // index into parents_
    std::uint32_t name_end;  // the name ends there in names_; it starts where the last one ended
  };
  std::vector<std::string> parents_;
  std::string names_;
  std::vector<Entry> entries_;
};

// A folder that could not be searched for borings, and why (the system's reason).
struct Unsearched {
  std::string folder;  // UTF-8
  std::error_code error;
};

// Calls `found` with each folder at or below `root` that holds a file named X1.txt in any letter
// case, and each XML boring file (LooksLikeXmlBoring) there, as found, in the order of their
// paths (a folder's XML borings after the folder), each once. A symbolic link to a folder is
// followed, unless it leads back to a folder on its own path; every folder that cannot be
// searched (unreadable, a link to nothing, a link in a loop) goes to `unsearched`.
void FindBorings(platform::FileSystem& files, const std::filesystem::path& root,
                 const std::function<void(const std::filesystem::path&)>& found,
                 std::vector<Unsearched>& unsearched);

// The XML boring files directly in `folder`, in the order of their names; none when it cannot be
// read.
std::vector<std::filesystem::path> XmlBoringsIn(platform::FileSystem& files,
                                                const std::filesystem::path& folder);

}  // namespace tavrimen::cli
