// Test support: a temporary folder that is removed with everything in it, and small file helpers.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavrimen::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder in drive form, ending with a backslash ("Z:\tmp\tavrimen-test.x\").
  std::string DriveForm() const;

 private:
  std::filesystem::path path_;
};

// Writes `bytes` to `path`, creating parent folders.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);
// Writes UTF-8 text converted to code page 932.
void WriteCp932(const std::filesystem::path& path, std::string_view utf8);
std::string ReadFile(const std::filesystem::path& path);
// Code page 932 bytes from UTF-8 text, and back.
std::string Sj(std::string_view utf8);
std::string Utf8(std::string_view cp932);

}  // namespace tavrimen::testing
