#include "cli/source_list.h"

#include <algorithm>

#include "platform/paths.h"
#include "reference/text_helpers.h"
#include "source/record_files.h"

namespace tavrimen::cli {

void SourceList::Add(std::string_view path) {
  const std::size_t cut = path.find_last_of("/\\") + 1;  // 0 without a separator
  const std::string_view parent = path.substr(0, cut);
  if (parents_.empty() || parents_.back() != parent) parents_.emplace_back(parent);
  names_.append(path.substr(cut));
  entries_.push_back(
      {static_cast<std::uint32_t>(parents_.size() - 1), static_cast<std::uint32_t>(names_.size())});
}

std::string SourceList::operator[](std::size_t index) const {
  const std::size_t start = index == 0 ? 0 : entries_[index - 1].name_end;
  return parents_[entries_[index].parent] + names_.substr(start, entries_[index].name_end - start);
}

void FindBorings(const std::filesystem::path& folder, SourceList& borings) {
  static const std::string x1_name = AsciiLower(kX1File.name);
  std::error_code ec;
  bool holds_x1 = false;
  std::vector<std::filesystem::path> subfolders;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code kind;
    if (it->is_directory(kind) && !it->is_symlink(kind)) {
      subfolders.push_back(it->path().filename());
    } else if (!holds_x1) {
      holds_x1 = AsciiLower(platform::Utf8String(it->path().filename())) == x1_name;
    }
  }
  if (holds_x1) borings.Add(platform::Utf8String(folder));
  // Each folder before the folders below it, and folders of one parent by name: the order of the
  // paths.
  std::sort(subfolders.begin(), subfolders.end());
  for (const std::filesystem::path& name : subfolders) FindBorings(folder / name, borings);
}

}  // namespace tavrimen::cli
