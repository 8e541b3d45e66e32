// The window's command line: the built program run as a process with an empty environment (no
// display), and only the variables each case names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/temp_folder.h"

namespace tavrimen {
namespace {

using testing::ReadFile;
using testing::TempFolder;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunWindow(const std::vector<std::string>& environment,
                  const std::vector<std::string>& args) {
  TempFolder folder;
  std::vector<std::string> command = {"-i"};
  command.insert(command.end(), environment.begin(), environment.end());
  command.push_back(TAVRIMEN_WINDOW_PATH);
  command.insert(command.end(), args.begin(), args.end());
  const int status = testing::RunProcess("/usr/bin/env", command, {}, folder.path(),
                                         folder.path() / "out", folder.path() / "err");
  return {status, ReadFile(folder.path() / "out"), ReadFile(folder.path() / "err")};
}

bool OneLine(const std::string& text) {
  return text.ends_with('\n') && std::count(text.begin(), text.end(), '\n') == 1;
}

TEST(WindowCommandLine, HelpIsShownInTheUsersLanguageWithoutADisplay) {
  const Outcome english = RunWindow({}, {"--help"});
  EXPECT_EQ(english.status, 0);
  EXPECT_TRUE(english.out.starts_with("Usage: tavrimen [OPTION]...\n")) << english.out;
  EXPECT_NE(english.out.find("--version"), std::string::npos);
  EXPECT_EQ(english.err, "");
  EXPECT_EQ(RunWindow({}, {"-h"}).out, english.out);

  const Outcome japanese = RunWindow({"LANG=ja_JP.UTF-8"}, {"--help"});
  EXPECT_EQ(japanese.status, 0);
  EXPECT_TRUE(japanese.out.starts_with("使い方: tavrimen [オプション]...\n")) << japanese.out;
}

TEST(WindowCommandLine, VersionIsShownAfterQtsOwnOptions) {
  const Outcome outcome = RunWindow({}, {"-style", "fusion", "-reverse", "--version"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "tavrimen " TAVRIMEN_VERSION "\n");
  EXPECT_EQ(outcome.err, "");
}

TEST(WindowCommandLine, WrongUsageIsOneLineAndStatusTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--bogus"}, {"B-201"}, {"-style"}, {"-reverse", "-platformx", "offscreen"}}) {
    const Outcome outcome = RunWindow({}, args);
    EXPECT_EQ(outcome.status, 2) << args.back();
    EXPECT_TRUE(OneLine(outcome.err)) << outcome.err;
    EXPECT_TRUE(outcome.err.starts_with("tavrimen: ")) << outcome.err;
    EXPECT_EQ(outcome.out, "");
  }
  const Outcome unknown = RunWindow({}, {"--bogus"});
  EXPECT_NE(unknown.err.find("'--bogus'"), std::string::npos) << unknown.err;
  const Outcome japanese = RunWindow({"LANG=ja_JP.UTF-8"}, {"--bogus"});
  EXPECT_NE(japanese.err.find("不明なオプション '--bogus'"), std::string::npos) << japanese.err;
}

TEST(WindowCommandLine, NoDisplayIsOneLineAndStatusOne) {
  const Outcome english = RunWindow({}, {});
  EXPECT_EQ(english.status, 1);
  EXPECT_TRUE(OneLine(english.err)) << english.err;
  EXPECT_NE(english.err.find("neither DISPLAY nor WAYLAND_DISPLAY"), std::string::npos)
      << english.err;

  const Outcome japanese = RunWindow({"LC_ALL=ja_JP.UTF-8"}, {});
  EXPECT_EQ(japanese.status, 1);
  EXPECT_TRUE(OneLine(japanese.err)) << japanese.err;
  EXPECT_NE(japanese.err.find("ディスプレイがありません"), std::string::npos) << japanese.err;
}

// A display that is named but cannot be opened: Qt finds that out inside QApplication.
TEST(WindowCommandLine, DisplayThatQtCannotOpenIsOneLineAndStatusOne) {
  const Outcome outcome = RunWindow({"DISPLAY=:987"}, {"-style", "fusion"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_TRUE(OneLine(outcome.err)) << outcome.err;
  EXPECT_NE(outcome.err.find("DISPLAY=:987"), std::string::npos) << outcome.err;
}

}  // namespace
}  // namespace tavrimen
