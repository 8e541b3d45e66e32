#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "platform/drives_native.h"
#include "platform/paths.h"

namespace tavrimen::platform::native {
namespace fs = std::filesystem;
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::map<char, fs::path> SystemDrives() { return {{'Z', fs::path("/")}}; }

bool SpelledAsOnDisk(const fs::path& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

fs::path JoinMatchingCase(const fs::path& folder, const std::string& name) {
  fs::path exact = folder / Utf8Path(name);
  if (name == ".." || name == "." || SpelledAsOnDisk(exact)) return exact;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return exact;
  fs::path found = exact;
  while (dirent* entry = readdir(dir)) {
    if (EqualIgnoringCase(entry->d_name, name)) {
      found = folder / entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

}  // namespace tavrimen::platform::native
