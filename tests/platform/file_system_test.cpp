#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"
#include "platform/file_system_native.h"
#include "platform/read_only_file_system.h"
#include "support/drive_table.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace tavrimen::platform {
namespace {

using testing::ReadFile;
using testing::ScopedDrives;
using testing::TempFolder;
using testing::WriteFile;

class FileSystemTest : public ::testing::Test {
 protected:
  FileSystemTest() : drives_("C=" + folder_.path().string()) {}

  TempFolder folder_;
  ScopedDrives drives_;
  testing::FaultyFileSystem files_{drives_.Files()};
};

TEST_F(FileSystemTest, ProbeMeasuresAndCreatesMissingFilesWithTheGivenSpelling) {
  WriteFile(folder_.path() / "x1.txt", "12345");
  EXPECT_EQ(files_.ProbeFile("C:\\X1.TXT"), 5u);
  EXPECT_EQ(files_.ProbeFile("C:\\N8.TXT"), 0u);
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "N8.TXT"));
#ifndef _WIN32
  // The file a probe creates has what the umask leaves of 0666, as any file the user makes.
  const mode_t mask = umask(022);
  EXPECT_EQ(files_.ProbeFile("C:\\N9.TXT"), 0u);
  umask(mask);
  EXPECT_EQ(std::filesystem::status(folder_.path() / "N9.TXT").permissions(),
            std::filesystem::perms(0644));
#endif
  EXPECT_EQ(files_.ProbeFile("C:\\missing-folder\\X5.TXT"), 0u);
}

TEST_F(FileSystemTest, ProbeInAReadOnlyFolderCountsTheFileAbsentAndFailsNothing) {
  files_.FailBelow(folder_.path(), testing::FaultyFileSystem::Operation::kCreate, EROFS);
  files_.FailBelow(folder_.path(), testing::FaultyFileSystem::Operation::kDelete, EROFS);
  WriteFile(folder_.path() / "X1.txt", "ab");
  EXPECT_EQ(files_.ProbeFile("C:\\X1.txt"), 2u);
  EXPECT_EQ(files_.ProbeFile("C:\\X5.TXT"), 0u);
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / "X5.TXT"));
  files_.DeleteFileQuietly("C:\\X1.txt");
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "X1.txt"));
}

TEST_F(FileSystemTest, ExistsAndMakeFolderAndDelete) {
  WriteFile(folder_.path() / "f", "");
  EXPECT_TRUE(files_.PathExists("C:\\"));
  EXPECT_FALSE(files_.PathExists("C:\\OUT"));
  files_.MakeFolder("C:\\OUT");
  EXPECT_TRUE(files_.PathExists("C:\\out"));
  EXPECT_THROW(files_.MakeFolder("C:\\A\\B"), IoError);
  EXPECT_TRUE(files_.PathExists("C:\\F"));
  files_.DeleteFileQuietly("C:\\F");
  EXPECT_FALSE(files_.PathExists("C:\\F"));
  files_.DeleteFileQuietly("C:\\F");  // already gone: nothing happens
}

TEST_F(FileSystemTest, ReadWholeFileNamesThePathOnFailure) {
  WriteFile(folder_.path() / "L4.TXT", "1,a\r\n");
  EXPECT_EQ(files_.ReadWholeFile("C:\\l4.txt"), "1,a\r\n");
  try {
    files_.ReadWholeFile("C:\\L8.TXT");
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_EQ(e.path(), "C:\\L8.TXT");
    EXPECT_EQ(e.error(), ErrnoError(ENOENT));
  }
}

TEST_F(FileSystemTest, AtomicWriteReplacesTheFileOrLeavesItUntouched) {
  files_.WriteFileAtomically("C:\\B-1", "new\r\n");
  EXPECT_EQ(ReadFile(folder_.path() / "B-1"), "new\r\n");

  // By its whole path, and by its name in a folder opened for writing: a new file, a file
  // replaced, and a medium that fills up half-way through the bytes.
  const native::WritingFolder open_folder(folder_.path());
  using Write = std::function<std::error_code(const std::string&, std::string_view)>;
  const Write writers[] = {
      [&](const std::string& name, std::string_view bytes) {
        return native::WriteFileAtomically(folder_.path() / name, bytes);
      },
      [&](const std::string& name, std::string_view bytes) {
        return open_folder.WriteFileAtomically(name, bytes);
      },
  };
  for (const Write& write : writers) {
    std::filesystem::remove(folder_.path() / "B-2");
    EXPECT_EQ(write("B-2", "first\r\n"), std::error_code());
    EXPECT_EQ(write("B-2", "second\r\n"), std::error_code());
    EXPECT_EQ(ReadFile(folder_.path() / "B-2"), "second\r\n");
#ifndef _WIN32
    {
      const testing::FileSizeLimit full(8);
      EXPECT_EQ(write("B-1", "newer and longer\r\n"), ErrnoError(EFBIG));
    }
    EXPECT_EQ(ReadFile(folder_.path() / "B-1"), "new\r\n");
#endif
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
      ++entries;
    }
    EXPECT_EQ(entries, 2u) << "a temporary file was left behind";
  }
}

#ifndef _WIN32
TEST(NativeRead, AFailingReadEndsInItsErrorAndSpecialFilesAreRefused) {
  std::string content;
  // Reading this file at offset 0 fails with EIO: the read must not be retried for ever.
  EXPECT_EQ(native::ReadFile("/proc/self/mem", content), ErrnoError(EIO));
  EXPECT_EQ(native::ReadFile("/dev/zero", content), RefusalError(FileRefusal::kNotAFile));
  EXPECT_EQ(native::ReadFile("/", content), RefusalError(FileRefusal::kNotAFile));
}
#endif

TEST_F(FileSystemTest, AtomicWriteOverAFolderFails) {
  std::filesystem::create_directories(folder_.path() / "B-1");
  EXPECT_THROW(files_.WriteFileAtomically("C:\\B-1", "x"), IoError);
}

TEST(StaleTemporaries, OnlyTheOldOnesGoAndTheNamesLeftSaySo) {
  testing::TempFolder folder;
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  for (const char* name : {".tavrimen-old111", ".tavrimen-old222", ".tavrimen-new333", "B-1"}) {
    testing::WriteFile(folder.path() / name, "x");
    if (std::string_view(name).find("old") != std::string_view::npos) {
      std::filesystem::last_write_time(folder.path() / name, old);
    }
  }
  std::filesystem::create_directory(folder.path() / ".tavrimen-dir444");
  std::error_code ignored;  // a folder's time cannot be set everywhere
  std::filesystem::last_write_time(folder.path() / ".tavrimen-dir444", old, ignored);
  const std::vector<std::string> names = {".tavrimen-dir444", ".tavrimen-new333",
                                          ".tavrimen-old111", ".tavrimen-old222", "B-1"};
  EXPECT_EQ(native::RemoveStaleTemporaries(folder.path(), names),
            (std::vector<std::string>{".tavrimen-dir444", ".tavrimen-new333", "B-1"}));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / ".tavrimen-old222"));
}

}  // namespace
}  // namespace tavrimen::platform
