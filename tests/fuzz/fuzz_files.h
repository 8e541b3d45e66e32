// Fuzz support: a data set split from the fuzzer's bytes. Byte 0x01 separates the files, which
// take the names of `names` in order; a file with no piece is absent. Byte 0x02 stands for 64 KiB
// of line ends and 0x03 for a thousand empty continuation records ("1,,"), so that small inputs
// reach files of megabytes.
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
    std::string bytes;
    for (std::size_t i = start; i < end; ++i) {
      if (data[i] == 0x02) {
        bytes.append(65536, '\n');
      } else if (data[i] == 0x03) {
        for (int record = 0; record < 1000; ++record) bytes += "1,,\r\n";
      } else {
        bytes += static_cast<char>(data[i]);
      }
    }
    std::ofstream(folder / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    start = end + 1;
  }
}

// A folder of this process's own under the temporary folder, removed with the object (a static
// one goes when the fuzzer exits at the end of its time).
class FuzzFolder {
 public:
  explicit FuzzFolder(const char* name)
      : path_(std::filesystem::temp_directory_path() /
              (std::string("tavrimen-fuzz-") + name + "-" + std::to_string(getpid()))) {}
  ~FuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  FuzzFolder(const FuzzFolder&) = delete;
  FuzzFolder& operator=(const FuzzFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tavrimen::fuzz
