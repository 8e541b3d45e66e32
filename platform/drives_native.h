// What the drive table needs of the system it runs on; drives_posix.cpp and drives_windows.cpp
// each implement it.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace tavrimen::platform::native {

// The drives the system itself has, by upper-case letter: the real drives on Windows, the drive
// Z: for the file-system root elsewhere.
std::map<char, std::filesystem::path> SystemDrives();

// Whether `path` names an entry as spelled, so that no component needs matching by letter case.
bool SpelledAsOnDisk(const std::filesystem::path& path);

// `folder / name`, with `name` replaced by the spelling of an existing entry that differs only in
// letter case when no entry of the exact name exists.
std::filesystem::path JoinMatchingCase(const std::filesystem::path& folder,
                                       const std::string& name);

}  // namespace tavrimen::platform::native
