// Fuzz support: a data set split from the fuzzer's bytes. Byte 0x01 separates the files, which
// take the names of `names` in order; a file with no piece is absent.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tavrimen::fuzz {

inline void WriteSplitFiles(const std::uint8_t* data, std::size_t size,
                            const std::filesystem::path& folder,
                            const std::vector<std::string>& names) {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::size_t start = 0;
  for (const std::string& name : names) {
    if (start > size) break;
    std::size_t end = start;
    while (end < size && data[end] != 0x01) ++end;
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(data) + start,
               static_cast<std::streamsize>(end - start));
    start = end + 1;
  }
}

inline std::filesystem::path FuzzFolder(const char* name) {
  return std::filesystem::temp_directory_path() /
         (std::string("tavrimen-fuzz-") + name + "-" + std::to_string(getpid()));
}

}  // namespace tavrimen::fuzz
