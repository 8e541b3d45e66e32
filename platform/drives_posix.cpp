#include "platform/drives_native.h"

namespace tavrimen::platform::native {

std::map<char, std::filesystem::path> SystemDrives() { return {{'Z', std::filesystem::path("/")}}; }

}  // namespace tavrimen::platform::native
