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

}  // namespace tavrimen::platform::native
