#include "cli/source_list.h"

#include <algorithm>
#include <cerrno>

#include "platform/errors.h"
#include "platform/paths.h"
#include "reference/text_helpers.h"
#include "source/record_files.h"
#include "source/xml_source.h"

namespace tavrimen::cli {

void SourceList::Add(const platform::DriveFormPath& drive_form) {
  const std::string_view path = drive_form.text();
  const std::size_t cut = path.find_last_of('\\') + 1;  // 0 without a separator
  const std::string_view parent = path.substr(0, cut);
  if (parents_.empty() || parents_.back() != parent) parents_.emplace_back(parent);
  names_.append(path.substr(cut));
  entries_.push_back(
      {static_cast<std::uint32_t>(parents_.size() - 1), static_cast<std::uint32_t>(names_.size())});
}

platform::DriveFormPath SourceList::operator[](std::size_t index) const {
  const std::size_t start = index == 0 ? 0 : entries_[index - 1].name_end;
  return platform::DriveFormPath(parents_[entries_[index].parent] +
                                 names_.substr(start, entries_[index].name_end - start));
}

namespace {

// `canonical` is the folder's path with every link resolved, for finding loops.
void SearchFolder(platform::FileSystem& files, const std::filesystem::path& folder,
                  const std::filesystem::path& canonical,
                  const std::function<void(const std::filesystem::path&)>& found,
                  std::vector<Unsearched>& unsearched) {
  static const std::string x1_name = AsciiLower(kX1File.name);
  std::error_code ec;
  const auto entries = files.ListNativeFolder(folder, ec);
  if (!entries) {
    unsearched.push_back({platform::Utf8String(folder), ec});
    return;
  }
  bool holds_x1 = false;
  std::vector<std::filesystem::path> xml_borings;
  std::vector<std::pair<std::filesystem::path, bool>> subfolders;  // (name, a link)
  for (const platform::FolderEntry& entry : *entries) {
    const std::filesystem::path path = folder / platform::Utf8Path(entry.name);
    if (entry.folder) {
      subfolders.emplace_back(platform::Utf8Path(entry.name), entry.link);
    } else if (!entry.exists) {
      unsearched.push_back({platform::Utf8String(path), ErrnoError(ENOENT)});
    } else {
      if (!holds_x1) holds_x1 = AsciiLower(entry.name) == x1_name;
      if (HasXmlExtension(entry.name) && LooksLikeXmlBoring(files, path)) {
        xml_borings.push_back(path);
      }
    }
  }
  if (holds_x1) found(folder);
  std::sort(xml_borings.begin(), xml_borings.end());
  for (const std::filesystem::path& file : xml_borings) found(file);
  // Each folder before the folders below it, and folders of one parent by name: the order of the
  // paths.
  std::sort(subfolders.begin(), subfolders.end());
  for (const auto& [name, link] : subfolders) {
    const std::filesystem::path path = folder / name;
    std::filesystem::path target = canonical / name;
    if (link) {
      const auto resolved = files.ResolveNativeLinks(path, ec);
      // A link to the folder itself or to one above it would be searched without end.
      const auto mismatch = resolved ? std::mismatch(resolved->begin(), resolved->end(),
                                                     canonical.begin(), canonical.end())
                                     : std::pair(canonical.end(), canonical.end());
      if (!resolved || mismatch.first == resolved->end()) {
        unsearched.push_back({platform::Utf8String(path), resolved ? ErrnoError(ELOOP) : ec});
        continue;
      }
      target = *resolved;
    }
    SearchFolder(files, path, target, found, unsearched);
  }
}

}  // namespace

void FindBorings(platform::FileSystem& files, const std::filesystem::path& root,
                 const std::function<void(const std::filesystem::path&)>& found,
                 std::vector<Unsearched>& unsearched) {
  std::error_code ec;
  const auto canonical = files.ResolveNativeLinks(root, ec);
  SearchFolder(files, root, canonical.value_or(root), found, unsearched);
}

std::vector<std::filesystem::path> XmlBoringsIn(platform::FileSystem& files,
                                                const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> borings;
  std::error_code ec;
  for (const platform::FolderEntry& entry :
       files.ListNativeFolder(folder, ec).value_or(std::vector<platform::FolderEntry>())) {
    const std::filesystem::path path = folder / platform::Utf8Path(entry.name);
    if (!entry.folder && entry.exists && HasXmlExtension(entry.name) &&
        LooksLikeXmlBoring(files, path)) {
      borings.push_back(path);
    }
  }
  std::sort(borings.begin(), borings.end());
  return borings;
}

}  // namespace tavrimen::cli
