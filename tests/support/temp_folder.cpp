#include "support/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "platform/cp932.h"
#include "platform/drive_table.h"

namespace tavrimen::testing {

TempFolder::TempFolder() {
  static std::mt19937_64 random(std::random_device{}());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto candidate = std::filesystem::temp_directory_path() /
                           ("tavrimen-test." + std::to_string(random() % 1000000000));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("no temporary folder could be made");
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::DriveForm() const {
  auto drive_form = platform::DriveTable::FromEnvironment().ToDriveForm(path_);
  if (!drive_form) throw std::runtime_error("no drive holds " + path_.string());
  return *drive_form + "\\";
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteCp932(const std::filesystem::path& path, std::string_view utf8) {
  WriteFile(path, cp932::FromUtf8(utf8));
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Sj(std::string_view utf8) { return cp932::FromUtf8(utf8); }
std::string Utf8(std::string_view cp932) { return cp932::ToUtf8(cp932); }

}  // namespace tavrimen::testing
