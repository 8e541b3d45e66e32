// What the drive table needs of the system it runs on; drives_posix.cpp and drives_windows.cpp
// each implement it.
#pragma once

#include <filesystem>
#include <map>

namespace tavrimen::platform::native {

// The drives the system itself has, by upper-case letter: the real drives on Windows, the drive
// Z: for the file-system root elsewhere.
std::map<char, std::filesystem::path> SystemDrives();

}  // namespace tavrimen::platform::native
