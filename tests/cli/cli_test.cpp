// End-to-end tests of the built tavrimen-convert.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "cli/arguments.h"
#include "support/data_set.h"
#include "support/drive_table.h"

namespace tavrimen::cli {
namespace {

using testing::FileNames;
using testing::MinimalBoring;
using testing::MinimalRecordFile;
using testing::Readable;
using testing::ReadFile;
using testing::StandardPatdat;
using testing::TempFolder;
using testing::WriteFiles;

struct Result {
  int status;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    WriteFiles(root_.path() / "patdat", StandardPatdat());
    WriteFiles(Source(), MinimalBoring());
    std::filesystem::create_directories(root_.path() / "out");
  }
  std::filesystem::path Source() const { return root_.path() / "src" / "B-1"; }
  std::string Patdat() const { return (root_.path() / "patdat").string(); }

  // Runs the tool with `args` (shell words) in `root_`, with an empty system folder.
  Result Convert(const std::string& args, const std::string& environment = "") {
    const auto out = root_.path() / "stdout";
    const auto err = root_.path() / "stderr";
    const std::string command = "cd '" + root_.path().string() + "' && env TAVRIMEN_SYSTEM_DIR='" +
                                root_.path().string() + "/system' " + environment + " '" +
                                TAVRIMEN_CONVERT_PATH + "' " + args + " >'" + out.string() +
                                "' 2>'" + err.string() + "' </dev/null";
    const int raw = std::system(command.c_str());
    Result result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(out), ReadFile(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
  }

  TempFolder root_;
};

TEST_F(CliTest, ConvertsWithNativePathsAndReportsOnStandardOutput) {
  Result r = Convert("--patdat patdat src/B-1/ out");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "只今変換中！　しばらくお待ちください。\n変換が正常に終了しました。\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Readable(ReadFile(root_.path() / "out" / "B-1")), MinimalRecordFile());
  EXPECT_EQ(FileNames(Source()),
            "CNT.TXT N8.TXT N9.TXT Titl01.txt Titl02.txt X1.txt X12.txt X14.txt X3.txt");
}

TEST_F(CliTest, ConvertsWithDriveFormPathsAndTheSettingsFile) {
  testing::WriteCp932(root_.path() / "system" / "PatdatV5.ini", "[PATDAT]\nD:\\patdat\\\n");
  Result r =
      Convert("D:\\\\src\\\\B-1 D:\\\\out", "TAVRIMEN_DRIVES='D=" + root_.path().string() + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(root_.path() / "out" / "B-1"));
}

TEST_F(CliTest, RefusalsExitWithStatusOneAndTheMessageOnStandardError) {
  std::filesystem::remove(Source() / "X1.txt");
  Result r = Convert("--patdat patdat src/B-1 out");
  EXPECT_EQ(r.status, 1);
  const std::string destination = *DriveFormArgument((root_.path() / "out").string()) + "\\";
  EXPECT_EQ(r.err, destination + ": 地質区分が入力されていません。\n");
  EXPECT_EQ(FileNames(root_.path() / "out"), "");
  EXPECT_EQ(std::filesystem::file_size(Source() / "X1.txt"), 0u);
}

TEST_F(CliTest, FolderQuestionIsAnsweredByTheCommandLineOrNo) {
  Result declined = Convert("--patdat patdat src/B-1 new/sub");
  EXPECT_EQ(declined.status, 1);
  EXPECT_NE(declined.err.find("Tavrimen Zm38: フォルダがありません。新規作成しますか？ いいえ"),
            std::string::npos)
      << declined.err;
  EXPECT_FALSE(std::filesystem::exists(root_.path() / "new"));

  EXPECT_EQ(Convert("--no --patdat patdat src/B-1 new/sub").status, 1);
  Result accepted = Convert("--yes --patdat patdat src/B-1 new/sub");
  EXPECT_EQ(accepted.status, 0) << accepted.err;
  EXPECT_TRUE(std::filesystem::exists(root_.path() / "new" / "sub" / "B-1"));
}

TEST_F(CliTest, MissingPatternDataSettingEndsWithItsMessage) {
  Result r = Convert("src/B-1 out");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Tavrimen Zm38: PATDAT の設定がありません.\n");
  Result missing = Convert("--patdat nowhere src/B-1 out");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(FileNames(root_.path() / "out"), "");
}

TEST_F(CliTest, WrongUsageExitsWithStatusTwo) {
  for (const char* args : {"", "only-one", "a b c", "--bogus a b", "--yes --no a b", "--patdat"}) {
    Result r = Convert(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.err.find("usage: tavrimen-convert"), std::string::npos) << args;
  }
  Result help = Convert("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: tavrimen-convert"), std::string::npos);
}

TEST_F(CliTest, PathsThatNameNoFolderAreRefusedLikeInTheWindow) {
  struct Case {
    std::string args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"--patdat patdat '' out", ": 指定されたパスは正しくありません。"},
      {"--patdat patdat '   ' out", ": 指定されたパスは正しくありません。"},
      {"--patdat patdat 'DATA\\SUB' out", "Tavrimen Zm38: 規定値のドライブ名が正しくありません。"},
      {"--patdat patdat src/B-1 ''", ": 指定されたパスは正しくありません。"},
      {"--patdat patdat src/missing out", ": 変換元フォルダがありません。"},
  };
  for (const Case& c : cases) {
    Result r = Convert(c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
  }
  EXPECT_EQ(FileNames(root_.path() / "out"), "");
}

TEST_F(CliTest, BlanksAroundADriveFormPathAreTrimmedByTheRun) {
  Result r = Convert("--patdat patdat '  D:\\src\\B-1 ' ' D:\\out'",
                     "TAVRIMEN_DRIVES='D=" + root_.path().string() + "' ");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(FileNames(root_.path() / "out"), "B-1");
}

TEST(DriveFormArgument, NativePathsTakeTheDriveFormOfTheirDrive) {
  testing::ScopedDrives drives("");
  EXPECT_EQ(DriveFormArgument("/tmp/x/"), "Z:\\tmp\\x");
  EXPECT_EQ(DriveFormArgument("/"), "Z:");
  EXPECT_EQ(DriveFormArgument("/tmp/./x/../y"), "Z:\\tmp\\y");
  for (const char* kept : {"C:\\DATA\\", "  C:\\DATA ", "", "   ", "DATA\\SUB", "\\\\srv\\x"}) {
    EXPECT_EQ(DriveFormArgument(kept), kept);
  }
}

}  // namespace
}  // namespace tavrimen::cli
