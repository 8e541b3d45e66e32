// A whole conversion of a data set split from the fuzzer's bytes, with a fixed pattern-data
// folder. Whatever the data, the run ends idle with a complete record file or none at all.
#include <unistd.h>

#include <cstdlib>
#include <iterator>

#include "app/conversion_run.h"
#include "app/headless_window.h"
#include "fuzz_files.h"
#include "platform/disk_file_system.h"

namespace {

class SilentWindow : public tavrimen::HeadlessWindow {
 public:
  using HeadlessWindow::HeadlessWindow;
  void SetLabel3(std::string_view text) override { label_ = text; }
  void SetPointer(tavrimen::Pointer pointer) override { pointer_ = pointer; }
  tavrimen::MessageAnswer ShowMessage(std::string_view, tavrimen::MessageIcon,
                                      tavrimen::MessageButtons, std::string_view) override {
    return tavrimen::MessageAnswer::kNo;
  }
  std::string label_;
  tavrimen::Pointer pointer_ = tavrimen::Pointer::kDefault;
};

void WriteText(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tavrimen::fuzz::FuzzFolder scratch("conversion");
  const std::filesystem::path& root = scratch.path();
  static const bool patdat_written = [&] {
    std::filesystem::create_directories(root / "patdat");
    WriteText(root / "patdat" / "KISHITU.TXT", "10,A,0,0,0,0\r\n20,B,0,0,0,0\r\n");
    WriteText(root / "patdat" / "L4.TXT", "1,a\r\n3,b\r\n6,c\r\n");
    WriteText(root / "patdat" / "L2.TXT", "1,x\r\n2,y\r\n");
    WriteText(root / "patdat" / "L8.TXT", "1,p,0\r\n3,q,0\r\n");
    WriteText(root / "patdat" / "L10.TXT", "1,r\r\n");
    WriteText(root / "patdat" / "L100.TXT", "1,ab\r\n2,cdef\r\n");
    return true;
  }();
  (void)patdat_written;
  const std::filesystem::path source = root / "B-1";
  const std::filesystem::path out = root / "out";
  tavrimen::fuzz::WriteSplitFiles(
      data, size, source,
      {"X1.txt", "X3.txt", "X12.txt", "X14.txt", "CNT.TXT", "Titl01.txt", "Titl02.txt", "X5.TXT",
       "X6.TXT", "X7.TXT", "X11.TXT", "N8.TXT", "N9.TXT"});
  std::filesystem::remove_all(out);
  std::filesystem::create_directories(out);
  static tavrimen::platform::DriveTable drives = tavrimen::platform::DriveTable::FromEnvironment();
  const std::string drive_root = *drives.ToDriveForm(root);
  SilentWindow window(tavrimen::platform::DriveFormPath(drive_root + "\\out"),
                      tavrimen::platform::DriveFormPath(drive_root + "\\B-1"));
  tavrimen::platform::DiskFileSystem files(drives);
  const auto outcome = tavrimen::Command1_Click(window, files, drive_root + "\\patdat\\");
  if (window.pointer_ != tavrimen::Pointer::kDefault) std::abort();
  const bool written = std::filesystem::exists(out / "B-1");
  if ((outcome == tavrimen::RunOutcome::kConverted) != written) std::abort();
  if (std::distance(std::filesystem::directory_iterator(out), {}) > (written ? 1 : 0)) std::abort();
  return 0;
}
