#include "platform/disk_file_system.h"

#include <algorithm>
#include <fstream>

#include "platform/errors.h"
#include "platform/file_system_native.h"
#include "platform/paths.h"

namespace tavrimen::platform {
namespace fs = std::filesystem;
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void ThrowIfFailed(FileOperation operation, std::string_view shown_path, std::error_code error) {
  if (error) throw IoError(operation, std::string(shown_path), error);
}

}  // namespace

std::size_t FolderListing::LowerHash::operator()(std::string_view name) const {
  std::size_t hash = 14695981039346656037u;
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(Lower(c))) * 1099511628211u;
  return hash;
}

bool FolderListing::LowerEqual::operator()(std::string_view a, std::string_view b) const {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return Lower(x) == Lower(y); });
}

FolderListing::FolderListing(const std::vector<std::string>& names)
    : names_(names.begin(), names.end()) {}

std::optional<FolderListing> FolderListing::Of(const fs::path& folder) {
  auto names = native::Names(folder);
  if (!names) return std::nullopt;
  return FolderListing(*names);
}

std::optional<FolderListing> FolderListing::OfDestination(const fs::path& folder) {
  auto names = native::Names(folder);
  if (!names) return std::nullopt;
  return FolderListing(native::RemoveStaleTemporaries(folder, std::move(*names)));
}

std::optional<std::string> FolderListing::Find(std::string_view name) const {
  const auto [first, last] = names_.equal_range(std::string(name));
  if (first == last) return std::nullopt;
  const auto exact = std::find(first, last, name);
  return exact != last ? *exact : *std::min_element(first, last);
}

std::vector<std::string> FolderListing::Spellings(std::string_view name) const {
  const auto [first, last] = names_.equal_range(std::string(name));
  std::vector<std::string> spellings(first, last);
  std::sort(spellings.begin(), spellings.end());
  return spellings;
}

void FolderListing::Add(std::string_view name) {
  if (Find(name) != name) names_.emplace(name);
}

void FolderListing::Remove(std::string_view name) {
  const auto [first, last] = names_.equal_range(std::string(name));
  const auto exact = std::find(first, last, name);
  if (exact != last) names_.erase(exact);
}

void DiskFileSystem::UseListing(const fs::path& folder,
                                std::shared_ptr<const FolderListing> listing) {
  shared_[folder] = std::move(listing);
}

const FolderListing* DiskFileSystem::ListingOf(const fs::path& folder) {
  if (auto shared = shared_.find(folder); shared != shared_.end()) return shared->second.get();
  auto own = own_.find(folder);
  if (own == own_.end()) own = own_.emplace(folder, FolderListing::Of(folder)).first;
  return own->second ? &*own->second : nullptr;
}

bool DiskFileSystem::Listed(const fs::path& folder) const {
  return shared_.count(folder) > 0 || own_.count(folder) > 0;
}

void DiskFileSystem::Noted(const fs::path& native, bool exists) {
  natives_.clear();
  entries_.clear();
  const fs::path folder = native.parent_path();
  shared_.erase(folder);
  auto own = own_.find(folder);
  if (own == own_.end() || !own->second) return;
  const std::string name = Utf8String(native.filename());
  if (exists) {
    own->second->Add(name);
  } else {
    own->second->Remove(name);
  }
}

std::optional<fs::path> DiskFileSystem::ToNative(std::string_view drive_form_path) {
  // The look-up is remembered for a path that names its drive and starts at its root, which no
  // change of the current drive or directory can move.
  const bool absolute = drive_form_path.size() >= 3 && drive_form_path[1] == ':' &&
                        (drive_form_path[2] == '\\' || drive_form_path[2] == '/');
  if (absolute) {
    if (auto known = natives_.find(drive_form_path); known != natives_.end()) return known->second;
  }
  auto resolved = drives_.Resolve(drive_form_path);
  if (!resolved) return std::nullopt;
  fs::path native = drives_.NativeOf(*resolved);
  // Most paths are spelled as on disk: one look-up settles them.
  if (const native::SpelledEntry entry = native::LookUpAsSpelled(native); entry.exists) {
    if (absolute) {
      natives_.emplace(drive_form_path, native);
      if (entry.entry) entries_.insert_or_assign(native, *entry.entry);
    }
    return native;
  }
  // Otherwise the longest leading part that is spelled as on disk (or was listed) stays, and the
  // names after it are matched in the listings of their folders.
  const std::vector<std::string>& names = resolved->components;
  std::size_t kept = names.size();
  while (kept > 0) {
    native = native.parent_path();
    --kept;
    if (kept == 0 || Listed(native) || native::LookUpAsSpelled(native).exists) break;
  }
  for (std::size_t i = kept; i < names.size(); ++i) {
    const FolderListing* listing = ListingOf(native);
    auto found = listing ? listing->Find(names[i]) : std::nullopt;
    if (!found) {
      // Nothing below a missing name exists: the rest stays as given.
      for (; i < names.size(); ++i) native /= Utf8Path(names[i]);
      break;
    }
    native /= Utf8Path(*found);
  }
  return native;
}

std::vector<std::string> DiskFileSystem::NativeSpellings(const fs::path& folder,
                                                         std::string_view name) {
  const FolderListing* listing = ListingOf(folder);
  return listing ? listing->Spellings(name) : std::vector<std::string>{};
}

std::optional<EntryInfo> DiskFileSystem::NativeEntry(const fs::path& native) {
  if (auto known = entries_.find(native); known != entries_.end()) return known->second;
  return native::EntryOf(native);
}

bool DiskFileSystem::IsReadableFolder(const fs::path& native) {
  // A run checks its drive's root for each path; the object deletes no folder.
  if (readable_folders_.count(native)) return true;
  if (!native::IsReadableFolder(native)) return false;
  readable_folders_.insert(native);
  return true;
}

void DiskFileSystem::CreateEmptyNativeFile(const fs::path& native) {
  if (native::CreateEmptyFile(native)) Noted(native, true);
}

std::optional<std::vector<std::string>> DiskFileSystem::ListNativeSubfolders(
    const fs::path& native) {
  return native::Subfolders(native);
}

void DiskFileSystem::MakeNativeFolder(const fs::path& native, std::string_view shown) {
  ThrowIfFailed(FileOperation::kMakeFolder, shown, native::MakeFolder(native));
  Noted(native, true);
}

void DiskFileSystem::DeleteNativeFileQuietly(const fs::path& native) {
  if (native::DeleteEmptyFile(native)) Noted(native, false);
}

std::string DiskFileSystem::ReadNativeFile(const fs::path& native, std::string_view shown) {
  std::string content;
  // A regular file just measured is read by its length; anything else is looked at first.
  std::optional<std::uintmax_t> expected;
  if (auto known = entries_.find(native); known != entries_.end() && known->second.regular) {
    expected = known->second.length;
  }
  ThrowIfFailed(FileOperation::kRead, shown, native::ReadFile(native, content, expected));
  return content;
}

void DiskFileSystem::WriteNativeFileAtomically(const fs::path& native, std::string_view shown,
                                               std::string_view bytes) {
  ThrowIfFailed(FileOperation::kWrite, shown, native::WriteFileAtomically(native, bytes));
  Noted(native, true);
}

void DiskFileSystem::RemoveStaleNativeTemporaries(const fs::path& folder) {
  native::RemoveStaleTemporaries(folder);
  own_.erase(folder);
  shared_.erase(folder);
}

std::optional<std::vector<FolderEntry>> DiskFileSystem::ListNativeFolder(const fs::path& folder,
                                                                         std::error_code& error) {
  std::vector<FolderEntry> entries;
  fs::directory_iterator it(folder, error);
  for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
    std::error_code kind;
    FolderEntry& entry = entries.emplace_back();
    entry.name = Utf8String(it->path().filename());
    entry.link = it->is_symlink(kind);
    entry.folder = it->is_directory(kind);
    entry.exists = !entry.link || it->exists(kind);
  }
  if (error) return std::nullopt;
  return entries;
}

std::optional<fs::path> DiskFileSystem::ResolveNativeLinks(const fs::path& native,
                                                           std::error_code& error) {
  fs::path resolved = fs::canonical(native, error);
  if (error) return std::nullopt;
  return resolved;
}

std::string DiskFileSystem::ReadNativeHead(const fs::path& native, std::size_t count) {
  std::ifstream in(native, std::ios::binary);
  std::string head(count, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return head;
}

namespace native {

std::vector<std::string> RemoveStaleTemporaries(const fs::path& folder,
                                                std::vector<std::string> names) {
  std::erase_if(names, [&folder](const std::string& name) {
    return IsTemporaryName(name) && RemoveIfStale(folder / Utf8Path(name));
  });
  return names;
}

void RemoveStaleTemporaries(const fs::path& folder) {
  if (auto names = Names(folder)) RemoveStaleTemporaries(folder, std::move(*names));
}

}  // namespace native

}  // namespace tavrimen::platform
