// The title reader over any two title files.
#include <unistd.h>

#include <cstdlib>

#include "fuzz_files.h"
#include "platform/disk_file_system.h"
#include "platform/errors.h"
#include "source/title_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tavrimen::fuzz::FuzzFolder scratch("titles");
  const std::filesystem::path& folder = scratch.path();
  tavrimen::fuzz::WriteSplitFiles(data, size, folder, {"Titl01.txt", "Titl02.txt"});
  static tavrimen::platform::DriveTable drives = tavrimen::platform::DriveTable::FromEnvironment();
  tavrimen::platform::DiskFileSystem files(drives);
  tavrimen::TitleData titles;
  try {
    tavrimen::ReadTitleFiles({files, *drives.ToDriveForm(folder) + "\\"}, titles);
  } catch (const tavrimen::ConversionError&) {
    return 0;  // an overflowing number: the run shows it
  }
  if (titles.title1_count < 0 || titles.title2_count < 0) std::abort();
  return 0;
}
