#include <windows.h>

#include "platform/drives_native.h"
#include "platform/paths.h"

namespace tavrimen::platform::native {
namespace fs = std::filesystem;

std::map<char, fs::path> SystemDrives() {
  std::map<char, fs::path> drives;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (mask & (1u << i)) {
      const char letter = static_cast<char>('A' + i);
      drives[letter] = Utf8Path(std::string{letter, ':', '\\'});
    }
  }
  return drives;
}

// The system matches names without regard to letter case itself.
bool SpelledAsOnDisk(const fs::path&) { return true; }

fs::path JoinMatchingCase(const fs::path& folder, const std::string& name) {
  return folder / Utf8Path(name);
}

}  // namespace tavrimen::platform::native
