// The file system of the disk, through the system's own calls.
//
// Where a path is not spelled as on disk, its names are matched without regard to letter case in
// listings of the folders on the way, and each folder is listed once in the life of the object:
// later lookups in it are answered from that listing, which the object keeps true after its own
// creations and deletions. Likewise a path that names its drive and starts at the root is looked
// up once, and what the look-up found there (the native path, and the file's kind and length)
// answers later calls for that path until the object itself changes anything. So one object
// serves one run; a new run gets a new object (over the same drive table), and sees the changes
// made meanwhile by others.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/file_system.h"

namespace tavrimen::platform {

// The names in one folder, found without regard to letter case.
class FolderListing {
 public:
  explicit FolderListing(const std::vector<std::string>& names);
  // The folder's names, or nothing when it cannot be read.
  static std::optional<FolderListing> Of(const std::filesystem::path& folder);
  // The same for a folder that record files are written to, after removing the temporary files
  // that a conversion killed while writing left there.
  static std::optional<FolderListing> OfDestination(const std::filesystem::path& folder);

  // `name` itself when the folder holds it, else of the names that differ from it only in letter
  // case the first in byte order (so that the choice does not depend on the order of the folder);
  // nothing when there is neither.
  std::optional<std::string> Find(std::string_view name) const;
  // Every name that differs from `name` only in letter case, `name` itself included, sorted.
  std::vector<std::string> Spellings(std::string_view name) const;
  void Add(std::string_view name);
  void Remove(std::string_view name);

 private:
  struct LowerHash {
    std::size_t operator()(std::string_view name) const;
  };
  struct LowerEqual {
    bool operator()(std::string_view a, std::string_view b) const;
  };
  std::unordered_multiset<std::string, LowerHash, LowerEqual> names_;
};

class DiskFileSystem : public FileSystem {
 public:
  // Resolves paths with `drives`, which must outlive the object.
  explicit DiskFileSystem(const DriveTable& drives) : drives_(drives) {}

  // Lookups in the native folder `folder` are answered from `listing`, which someone else keeps
  // true (a batch lists its destination once for all its runs); after the object's own first
  // change in that folder it lists the folder itself.
  void UseListing(const std::filesystem::path& folder,
                  std::shared_ptr<const FolderListing> listing);

  const DriveTable& drives() const override { return drives_; }
  std::optional<std::filesystem::path> ToNative(std::string_view drive_form_path) override;
  std::optional<EntryInfo> NativeEntry(const std::filesystem::path& native) override;
  std::vector<std::string> NativeSpellings(const std::filesystem::path& folder,
                                           std::string_view name) override;
  bool IsReadableFolder(const std::filesystem::path& native) override;
  void CreateEmptyNativeFile(const std::filesystem::path& native) override;
  std::optional<std::vector<std::string>> ListNativeSubfolders(
      const std::filesystem::path& native) override;
  void MakeNativeFolder(const std::filesystem::path& native, std::string_view shown) override;
  void DeleteNativeFileQuietly(const std::filesystem::path& native) override;
  std::string ReadNativeFile(const std::filesystem::path& native, std::string_view shown) override;
  void WriteNativeFileAtomically(const std::filesystem::path& native, std::string_view shown,
                                 std::string_view bytes) override;
  void RemoveStaleNativeTemporaries(const std::filesystem::path& folder) override;
  std::optional<std::vector<FolderEntry>> ListNativeFolder(const std::filesystem::path& folder,
                                                           std::error_code& error) override;
  std::optional<std::filesystem::path> ResolveNativeLinks(const std::filesystem::path& native,
                                                          std::error_code& error) override;
  std::string ReadNativeHead(const std::filesystem::path& native, std::size_t count) override;

 private:
  // The listing of a native folder, read on the first lookup; nothing when it cannot be read.
  const FolderListing* ListingOf(const std::filesystem::path& folder);
  bool Listed(const std::filesystem::path& folder) const;
  // Keeps the listing of the entry's folder true after the entry was created or deleted.
  void Noted(const std::filesystem::path& native, bool exists);

  const DriveTable& drives_;
  // What the look-ups of absolute drive-form paths found, so that a probe and the read that
  // follows it resolve and measure a file once. Forgotten at every change the object makes.
  std::map<std::string, std::filesystem::path, std::less<>> natives_;
  std::map<std::filesystem::path, EntryInfo> entries_;
  std::set<std::filesystem::path> readable_folders_;
  std::map<std::filesystem::path, std::shared_ptr<const FolderListing>> shared_;
  std::map<std::filesystem::path, std::optional<FolderListing>> own_;
};

}  // namespace tavrimen::platform
