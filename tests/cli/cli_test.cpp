// End-to-end tests of the built tavrimen-convert.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <new>
#include <sstream>

#include "cli/arguments.h"
#include "cli/batch.h"
#include "cli/cli_fixture.h"
#include "cli/pictures.h"
#include "cli/source_list.h"
#include "platform/disk_file_system.h"
#include "platform/errors.h"
#include "platform/native_paths.h"
#include "platform/paths.h"
#include "support/data_set.h"
#include "support/drive_table.h"
#include "support/faulty_file_system.h"
#include "support/json_reader.h"
#include "support/process.h"
#include "support/xml_reader.h"

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

TEST_F(CliTest, ConvertsWithNativePathsAndReportsOnStandardOutput) {
  Result r = Convert("--patdat patdat src/B-1/ out");
  EXPECT_EQ(r.status, 0) << r.err;
  // The window's text, then where the record file went.
  EXPECT_EQ(r.out, "変換が正常に終了しました。\n" + (root_.path() / "out" / "B-1").string() + "\n");
  EXPECT_EQ(r.err, "只今変換中！　しばらくお待ちください。\n");
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
  // The message box's title, a path, as the user reads it.
  EXPECT_EQ(r.err, "只今変換中！　しばらくお待ちください。\n" + Title(root_.path() / "out") +
                       ": 地質区分が入力されていません。\n");
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
  // The start-up message, then what was looked at.
  const std::string settings = platform::Utf8String(root_.path() / "system" / "PatdatV5.ini");
  Result r = Convert("src/B-1 out");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "Tavrimen Zm38: PATDAT の設定がありません.\n"
            "tavrimen-convert: 設定ファイル " +
                settings + " がありません。\n");
  Result missing = Convert("--patdat nowhere src/B-1 out", "LANG=C");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "Tavrimen Zm38: PATDAT の設定がありません.\n"
            "tavrimen-convert: the pattern-data folder given: nowhere\n");
#ifndef _WIN32
  testing::WriteCp932(root_.path() / "system" / "PatdatV5.ini", "x\n/nonexistent/patdat/\n");
  EXPECT_EQ(Convert("src/B-1 out", "LANG=C").err,
            "Tavrimen Zm38: PATDAT の設定がありません.\n"
            "tavrimen-convert: the settings file " +
                settings + " names the folder /nonexistent/patdat, which does not exist\n");
#endif
  EXPECT_EQ(FileNames(root_.path() / "out"), "");
}

TEST_F(CliTest, WrongUsageSaysWhatIsWrongOnOneLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"--bogus a b", "unrecognized option '--bogus'"},
      {"-j 0 a b", "invalid number of jobs '0' (1 to 256)"},
      {"--jobs=x a b", "invalid number of jobs 'x' (1 to 256)"},
      {"--format=xml --check a", "invalid format 'xml' (text or json)"},
      {"--patdat", "option '--patdat' requires an argument"},
      {"--yes=1 a b", "option '--yes' doesn't allow an argument"},
      {"--yes --no a b", "'--yes' and '--no' cannot be given together"},
      {"--check -j 2 a", "'-j' cannot be used with '--check'"},
      {"only-one", "missing destination folder after 'only-one'"},
      {"--all=site", "missing destination folder after 'site'"},
      {"", "missing source and destination folders"},
      {"--check", "missing folder to check"},
  };
  for (const auto& [args, error] : cases) {
    Result r = Convert(args, "LANG=C");
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_EQ(r.err,
              "tavrimen-convert: " + std::string(error) + "\nTry 'tavrimen-convert --help'.\n");
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(Convert("--bogus a b").err,
            "tavrimen-convert: 不明なオプション '--bogus' です。\n"
            "詳しくは 'tavrimen-convert --help' を実行してください。\n");
}

TEST_F(CliTest, HelpInTheUsersLanguageAndTheVersion) {
  const std::pair<const char*, const char*> cases[] = {
      {"LANG=C", "Usage: tavrimen-convert"},
      {"LANG=ja_JP.UTF-8", "使い方: tavrimen-convert"},
      {"LANG=ja_JP.UTF-8 LC_ALL=en_US.UTF-8", "Usage: "},
      {"LANG=C LC_MESSAGES=ja_JP.UTF-8", "使い方: "},
  };
  for (const auto& [environment, start] : cases) {
    Result r = Convert("--help", environment);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind(start, 0), 0u) << environment << "\n" << r.out;
  }
  Result version = Convert("--version");
  EXPECT_EQ(version.status, 0);
  // "tavrimen-convert 1.2.3\n"
  const std::string number = version.out.substr(std::string("tavrimen-convert ").size());
  EXPECT_EQ(version.out.rfind("tavrimen-convert ", 0), 0u) << version.out;
  EXPECT_EQ(std::count(number.begin(), number.end(), '.'), 2) << version.out;
  EXPECT_EQ(number.find_first_not_of("0123456789.\n"), std::string::npos) << version.out;
  // Options take their values either way.
  EXPECT_EQ(Convert("--patdat=patdat --jobs=1 src/B-1 out").status, 0);
  EXPECT_EQ(FileNames(root_.path() / "out"), "B-1");
}

TEST_F(CliTest, PathsThatNameNoFolderAreRefusedLikeInTheWindow) {
  struct Case {
    std::string args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"--patdat patdat '' out", ": 指定されたパスは正しくありません。"},
      {"--patdat patdat '   ' out", ": 指定されたパスは正しくありません。"},
#ifndef _WIN32  // on Windows this is a native relative path
      {"--patdat patdat 'DATA\\SUB' out", "Tavrimen Zm38: 規定値のドライブ名が正しくありません。"},
#endif
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

// A tree of borings: site/<area>/<name>, each the minimal boring with its own bottom depth.
void WriteSite(const std::filesystem::path& site, const std::vector<std::string>& borings) {
  int depth = 1;
  for (const std::string& boring : borings) {
    testing::Files files = MinimalBoring();
    files["X1.txt"] = "1," + std::to_string(depth) + ".00,20,0\n";
    files["X3.txt"] = "1," + std::to_string(depth) + ".00,06,0,,0,0\n";
    WriteFiles(site / boring, files);
    ++depth;
  }
}

TEST_F(CliTest, BatchConvertsATreeInParallelLikeOneByOne) {
  const std::vector<std::string> borings = {"north/B-1", "north/B-2", "north/deep/B-3",
                                            "south/B-4", "south/B-5", "south/B-6"};
  WriteSite(root_.path() / "site", borings);
  WriteSite(root_.path() / "single", borings);
  std::filesystem::create_directories(root_.path() / "site" / "empty-folder");
  Result batch = Convert("--patdat patdat -j 2 --all site out");
  EXPECT_EQ(batch.status, 0) << batch.out << batch.err;
  EXPECT_EQ(batch.out, "変換 6 件、拒否 0 件、失敗 0 件\n");
  EXPECT_EQ(batch.err.find("件/秒"), std::string::npos)
      << "progress on a stderr that is no terminal";
  std::filesystem::create_directories(root_.path() / "one-by-one");
  for (const std::string& boring : borings) {
    const std::string name = std::filesystem::path(boring).filename().string();
    EXPECT_EQ(Convert("--patdat patdat single/" + boring + " one-by-one").status, 0) << boring;
    EXPECT_EQ(ReadFile(root_.path() / "out" / name), ReadFile(root_.path() / "one-by-one" / name))
        << boring;
  }
}

TEST_F(CliTest, AFailingBoringDoesNotStopTheOthers) {
  WriteSite(root_.path() / "site", {"a/B-1", "a/B-2", "a/B-3"});
  WriteFiles(root_.path() / "site" / "a" / "B-2", {{"X1.txt", "1,1e39,20,0\n"}});
  Result r = Convert("--patdat patdat -j 2 site/a/B-1 site/a/B-2 site/a/B-3 out");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "変換 2 件、拒否 0 件、失敗 1 件\n");
  EXPECT_NE(r.err.find("失敗: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("B-2: 数値が大きすぎるため変換できません。"), std::string::npos) << r.err;
  // The message names the file as the user reads paths.
  const std::string x1 = platform::Utf8String(root_.path() / "site" / "a" / "B-2" / "X1.txt");
  EXPECT_NE(r.err.find(platform::kShowsNativePaths ? x1 : "\\B-2\\X1.txt"), std::string::npos)
      << r.err;
  EXPECT_EQ(FileNames(root_.path() / "out"), "B-1 B-3");
}

TEST_F(CliTest, TwoSourcesOfOneNameDoNotOverwriteEachOther) {
  WriteSite(root_.path() / "site", {"a/B-1", "b/b-1"});
  Result r = Convert("--patdat patdat site/a/B-1 site/b/b-1 out");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "変換 1 件、拒否 1 件、失敗 0 件\n");
  EXPECT_NE(r.err.find("同じ名前の記録ファイル「b-1」"), std::string::npos) << r.err;
  EXPECT_EQ(FileNames(root_.path() / "out"), "B-1");
  EXPECT_NE(ReadFile(root_.path() / "out" / "B-1").find("1.00 "), std::string::npos);

  // Found borings come in the order of their paths, folder by folder: x\B-1 before x-y\b-1.
  WriteSite(root_.path() / "tree", {"x-y/b-1", "x/B-1"});
  r = Convert("--patdat patdat --all tree tree-out --yes");
  EXPECT_NE(r.err.find("同じ名前の記録ファイル「b-1」"), std::string::npos) << r.err;
  EXPECT_EQ(FileNames(root_.path() / "tree-out"), "B-1");
}

#ifndef _WIN32
TEST_F(CliTest, BatchReplacesAnEarlierRecordFileSpelledInAnotherLetterCase) {
  WriteSite(root_.path() / "site", {"a/B-1", "a/B-2"});
  testing::WriteFile(root_.path() / "out" / "b-1", "earlier");
  Result r = Convert("--patdat patdat --all site out");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(FileNames(root_.path() / "out"), "B-2 b-1");
  EXPECT_NE(ReadFile(root_.path() / "out" / "b-1"), "earlier");
}
#endif

#ifndef _WIN32
TEST_F(CliTest, ATerminatedBatchFinishesTheBoringsInHandAndSaysWhatIsLeft) {
  std::vector<std::string> borings;
  for (int i = 0; i < 2000; ++i) borings.push_back("s/B-" + std::to_string(i));
  WriteSite(root_.path() / "site", borings);
  const auto out = root_.path() / "out";
  auto count = [&] {
    return std::distance(std::filesystem::directory_iterator(out),
                         std::filesystem::directory_iterator());
  };
  Result r = Convert("--patdat patdat -j 2 --all site out", "", [&](long pid) {
    for (int tries = 0; tries < 1000 && count() < 10; ++tries) usleep(2000);
    kill(static_cast<pid_t>(pid), SIGTERM);
  });
  EXPECT_EQ(r.status, 128 + SIGTERM) << r.out;
  const std::size_t left = r.err.find("中断: 残りの ");
  ASSERT_NE(left, std::string::npos) << r.err;
  const long converted = std::stol(r.out.substr(r.out.find("変換 ") + std::string("変換 ").size()));
  const long remaining = std::stol(r.err.substr(left + std::string("中断: 残りの ").size()));
  EXPECT_EQ(converted + remaining, 2000);
  EXPECT_EQ(count(), converted);
  for (const auto& entry : std::filesystem::directory_iterator(out)) {
    const std::string record = ReadFile(entry.path());
    EXPECT_EQ(record.rfind("TPJ Ge201\r\n", 0), 0u) << entry.path();
    EXPECT_EQ(record.substr(record.size() - 2), "\r\n") << entry.path();
  }
}

TEST_F(CliTest, FoldersThatCannotBeSearchedAreFailuresAndLinkedFoldersAreFollowedOnce) {
  WriteSite(root_.path() / "site", {"a/B-1", "locked/B-2", "elsewhere/B-3"});
  std::filesystem::create_directories(root_.path() / "site" / "linked");
  std::filesystem::create_directory_symlink("../elsewhere",
                                            root_.path() / "site" / "linked" / "to");
  std::filesystem::create_directory_symlink("..", root_.path() / "site" / "a" / "up");
  std::filesystem::create_directory_symlink("missing", root_.path() / "site" / "dangling");
  // (Root reads any folder: there "locked" is searched like the others.)
  std::filesystem::permissions(root_.path() / "site" / "locked", std::filesystem::perms::none);
  Result r = Convert("--patdat patdat --all site out");
  std::filesystem::permissions(root_.path() / "site" / "locked", std::filesystem::perms::all);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("a/up: フォルダを検索できません。リンクが循環しています。"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("dangling: フォルダを検索できません。"), std::string::npos) << r.err;
  if (getuid() != 0) {
    EXPECT_NE(r.err.find("locked: フォルダを検索できません。アクセスが拒否されました。"),
              std::string::npos)
        << r.err;
  }
  // B-3 is found twice, through its folder and through the link: the second is refused.
  EXPECT_EQ(FileNames(root_.path() / "out"), getuid() == 0 ? "B-1 B-2 B-3" : "B-1 B-3");
}

TEST_F(CliTest, AFolderThatCannotBeListedIsReportedAndTheSearchGoesOn) {
  WriteSite(root_.path() / "site", {"a/B-1", "b/B-2", "c/B-3"});
  const platform::DriveTable drives = platform::DriveTable::FromEnvironment();
  platform::DiskFileSystem disk(drives);
  testing::FaultyFileSystem files(disk);
  files.FailBelow(root_.path() / "site" / "b", testing::FaultyFileSystem::Operation::kList, EACCES);
  std::vector<std::string> found;
  std::vector<Unsearched> unsearched;
  FindBorings(
      files, root_.path() / "site",
      [&](const std::filesystem::path& boring) { found.push_back(boring.filename().string()); },
      unsearched);
  EXPECT_EQ(found, (std::vector<std::string>{"B-1", "B-3"}));
  ASSERT_EQ(unsearched.size(), 1u);
  EXPECT_EQ(unsearched[0].folder, platform::Utf8String(root_.path() / "site" / "b"));
  EXPECT_EQ(unsearched[0].error, ErrnoError(EACCES));
}

std::size_t OpenDescriptors() {
  return static_cast<std::size_t>(std::distance(
      std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator()));
}

TEST_F(CliTest, ABatchClosesEveryFileItOpensAndReportsItsProgress) {
  WriteSite(root_.path() / "site", {"a/B-1", "a/B-2", "a/B-3"});
  BatchOptions options;
  options.drives = platform::DriveTable::FromEnvironment();
  SourceList sources;
  std::vector<Unsearched> unsearched;
  auto add = [&](const std::filesystem::path& found) {
    sources.Add(platform::ResolveFound(options.drives, found).drive_form);
  };
  platform::DiskFileSystem disk(options.drives);
  // --all on a boring folder itself finds that folder.
  FindBorings(disk, root_.path() / "site" / "a" / "B-1", add, unsearched);
  ASSERT_EQ(sources.size(), 1u);
  FindBorings(disk, root_.path() / "site", add, unsearched);
  ASSERT_EQ(sources.size(), 4u);
  options.destination = platform::ResolveFound(options.drives, root_.path() / "out");
  options.patdat = platform::ResolveFound(options.drives, Patdat()).drive_form.text() + "\\";
  options.jobs = 2;
  options.progress = true;
  std::ostringstream out, err;
  const std::size_t before = OpenDescriptors();
  EXPECT_EQ(RunBatch(sources, options, out, err), 1);
  EXPECT_EQ(OpenDescriptors(), before);
  EXPECT_EQ(out.str(), "変換 3 件、拒否 1 件、失敗 0 件\n");
  // The progress line counts what the summary counts.
  EXPECT_NE(err.str().find("\r4/4 件  変換 3  拒否 1  失敗 0  "), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("残り 0:00"), std::string::npos) << err.str();
  EXPECT_EQ(FileNames(root_.path() / "out"), "B-1 B-2 B-3");
}

// Typed paths are resolved once, where they enter; a path found on disk is converted as found.
TEST_F(CliTest, APathIsConvertedAsTypedOrFoundAndNeverAnotherOne) {
  const std::string leading = "フォルダ名の最初に空白があります。";
  const std::string backslash = "フォルダ名に「￥」があります。";
  WriteSite(root_.path() / "site", {"B-9"});
  WriteSite(root_.path() / " site", {"B-9"});
  // A relative path that starts with blanks names a folder other than the one without them:
  // refused, as a source, a destination or a root, and the other one never converted.
  for (const char* args :
       {"--yes --patdat patdat ' src/B-1' out", "--yes --patdat patdat src/B-1 ' new'",
        "--yes --patdat patdat --all ' site' out"}) {
    Result r = Convert(args);
    EXPECT_EQ(r.status, 1) << args;
    EXPECT_NE(r.err.find(leading), std::string::npos) << args << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(root_.path() / "new"));
  EXPECT_EQ(FileNames(root_.path() / "out"), "");
  // A boring found below a root is converted as found.
  Result found = Convert("--patdat patdat --all '" + (root_.path() / " site").string() + "' out");
  EXPECT_EQ(found.status, 0) << found.err;
  EXPECT_EQ(FileNames(root_.path() / "out"), "B-9");
  // The --all root takes "~" as every other path does, whatever stands in the working folder.
  WriteSite(root_.path() / "home" / "far", {"B-5"});
  WriteSite(root_.path() / "~" / "far", {"B-6"});
  Result home =
      Convert("--patdat patdat --all '~/far' homed", "HOME=" + (root_.path() / "home").string());
  EXPECT_EQ(home.status, 1);  // the destination question, answered No without a terminal
  Result home_yes = Convert("--yes --patdat patdat --all '~/far' homed",
                            "HOME=" + (root_.path() / "home").string());
  EXPECT_EQ(home_yes.status, 0) << home_yes.err;
  EXPECT_EQ(FileNames(root_.path() / "homed"), "B-5");
  // In a working folder whose name holds a backslash a relative path cannot be resolved: refused,
  // and nothing created.
  const auto odd = root_.path() / "cw\\d";
  std::filesystem::create_directories(odd);
  Result relative =
      Convert("--yes --patdat " + Patdat() + " " + Source().string() + " out", "", {}, odd);
  EXPECT_EQ(relative.status, 1);
  EXPECT_NE(relative.err.find(backslash), std::string::npos) << relative.err;
  EXPECT_EQ(FileNames(odd), "");
  EXPECT_FALSE(std::filesystem::exists(root_.path() / "cw"));
}

TEST_F(CliTest, ABatchRemovesTheTemporaryFilesThatAKilledRunLeftAndNoRecordFile) {
  WriteSite(root_.path() / "site", {"B-1", ".tavrimen-abc123"});
  const auto out = root_.path() / "out";
  const auto pictures = root_.path() / "pics";
  for (const auto& folder : {out, pictures}) {
    testing::WriteFile(folder / ".tavrimen-old123", "half a record");
    testing::WriteFile(folder / ".tavrimen-new456", "being written");
    testing::WriteFile(folder / ".tavrimen-other-name", "not ours");
    std::filesystem::last_write_time(
        folder / ".tavrimen-old123",
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  }
  // A source named as a temporary file is refused: its record file would be taken for one.
  Result r = Convert("--patdat patdat --svg pics --all site out");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("一時ファイルの名前"), std::string::npos) << r.err;
  EXPECT_EQ(FileNames(out), ".tavrimen-new456 .tavrimen-other-name B-1");
  EXPECT_EQ(FileNames(pictures), ".tavrimen-new456 .tavrimen-other-name B-1.svg index.html");
}

// Runs the tool with `args` on a terminal of its own, types `keys` once it asks its question,
// and gives its status and what it wrote.
Result ConvertOnTerminal(const std::filesystem::path& folder, const std::string& args,
                         const std::string& keys) {
  const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) return {-1, "", ""};
  const std::string name = ptsname(terminal);
  std::vector<std::string> words = testing::ShellWords(args);
  const pid_t pid = fork();
  if (pid == 0) {
    setsid();
    const int own = open(name.c_str(), O_RDWR);
    for (int fd = 0; fd <= 2; ++fd) dup2(own, fd);
    if (chdir(folder.c_str()) != 0) _exit(127);
    setenv("TAVRIMEN_SYSTEM_DIR", (folder / "system").c_str(), 1);
    setenv("LANG", "ja_JP.UTF-8", 1);
    std::vector<char*> argv = {const_cast<char*>(TAVRIMEN_CONVERT_PATH)};
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execv(TAVRIMEN_CONVERT_PATH, argv.data());
    _exit(127);
  }
  std::string written;
  bool typed = false;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int status = -1;
  while (std::chrono::steady_clock::now() < until) {
    pollfd wait{terminal, POLLIN, 0};
    if (poll(&wait, 1, 50) > 0) {
      char buffer[4096];
      const ssize_t n = read(terminal, buffer, sizeof buffer);
      if (n > 0) written.append(buffer, static_cast<std::size_t>(n));
    }
    if (!typed && written.find("[y/N]") != std::string::npos) {
      typed = write(terminal, keys.data(), keys.size()) == static_cast<ssize_t>(keys.size());
    }
    if (waitpid(pid, &status, WNOHANG) == pid) break;
  }
  if (status == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  close(terminal);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), written, ""};
}

TEST_F(CliTest, CtrlCAtTheDestinationQuestionEndsTheBatchAtOnce) {
  WriteSite(root_.path() / "site", {"B-1", "B-2"});
  const auto started = std::chrono::steady_clock::now();
  Result r = ConvertOnTerminal(root_.path(), "--patdat patdat --all site new/out", "\x03");
  EXPECT_EQ(r.status, 130) << r.out;
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  EXPECT_NE(r.out.find("作成するフォルダ: " + (root_.path() / "new" / "out").string()),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(std::filesystem::exists(root_.path() / "new"));
}
#endif

TEST_F(CliTest, ThePictureFolderIsNeverTheDestinationAndIsMadeOnlyAfterTheAnswer) {
  WriteSite(root_.path() / "site", {"B-1"});
  // The destination itself: refused before anything is made or converted.
  Result same = Convert("--patdat patdat --svg out/ site/B-1 out");
  EXPECT_EQ(same.status, 1);
  EXPECT_NE(same.err.find("変換先と同じ"), std::string::npos) << same.err;
  EXPECT_EQ(FileNames(root_.path() / "out"), "");
  // An unset variable: refused as an empty destination is.
  Result empty = Convert("--patdat patdat --svg '' site/B-1 out");
  EXPECT_EQ(empty.status, 1);
  EXPECT_NE(empty.err.find("指定されたパスは正しくありません。"), std::string::npos) << empty.err;
  EXPECT_FALSE(std::filesystem::exists(root_.path() / "index.html"));
  // Inside a destination that the user declines to create: nothing is made.
  Result declined = Convert("--no --patdat patdat --svg new/pics site/B-1 new");
  EXPECT_EQ(declined.status, 1);
  EXPECT_FALSE(std::filesystem::exists(root_.path() / "new"));
#ifndef _WIN32  // a path this long is beyond what Windows takes
  // A picture's name fits a file name, and the overview links to it.
  const std::string long_name = "B-" + std::string(251, 'x');  // 253 bytes
  WriteSite(root_.path() / "long", {long_name, "B-2"});
  Result long_names = Convert("--patdat patdat --svg pics --all long out");
  EXPECT_EQ(long_names.status, 0) << long_names.err;
  EXPECT_EQ(long_names.out, "変換 2 件、拒否 0 件、失敗 0 件\n");
  const std::string picture = PictureName(long_name);
  EXPECT_LE(picture.size(), 255u);
  EXPECT_TRUE(std::filesystem::exists(root_.path() / "pics" / picture));
  EXPECT_NE(ReadFile(root_.path() / "pics" / "index.html").find("href=\"" + picture.substr(0, 20)),
            std::string::npos);
#endif
}

TEST_F(CliTest, MessagesNameTheFolderAndWhatToDo) {
  // One source is one conversion: the success text and where the record file went.
  Result one = Convert("--patdat patdat -j 2 src/B-1 out");
  EXPECT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.out,
            "変換が正常に終了しました。\n" + (root_.path() / "out" / "B-1").string() + "\n");
  // The destination question names the folder; answered No without a terminal, it says how to
  // answer Yes.
  Result declined = Convert("--patdat patdat src/B-1 new/sub");
  EXPECT_EQ(declined.status, 1);
  EXPECT_NE(declined.err.find("作成するフォルダ: " + (root_.path() / "new" / "sub").string()),
            std::string::npos)
      << declined.err;
  EXPECT_NE(declined.err.find("--yes"), std::string::npos) << declined.err;
  // English counts read as English.
  Result check = Convert("--patdat patdat --check src/B-1", "LANG=C");
  EXPECT_NE(check.out.find("checked: borings 1,"), std::string::npos) << check.out;
}

TEST(SourceList, KeepsEveryPathAsGiven) {
  const std::vector<std::string> paths = {"Z:\\data\\site\\B-1",      "Z:\\data\\site\\B-2",
                                          "Z:\\data\\other\\B-1",     "C:\\DATA\\B-3",
                                          "Z:\\data\\site\\B-4",      "Z:",
                                          "Z:\\data\\site\\南棟-No.3"};
  SourceList list;
  for (const std::string& path : paths) list.Add(platform::DriveFormPath(path));
  ASSERT_EQ(list.size(), paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) EXPECT_EQ(list[i].text(), paths[i]);
}

TEST_F(CliTest, CheckReportsFindingsAndChangesNothing) {
  WriteFiles(Source(), {{"X1.txt", "1,5.00,99,0\n"}});
  const std::string before = FileNames(Source());
  const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  Result text = Convert("--patdat patdat --check src/B-1");
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find(std::string("B-1") + separator +
                          "X1.txt:1:8: warning: 地質コード 99 は KISHITU.TXT にありません"),
            std::string::npos)
      << text.out;
  Result json = Convert("--patdat patdat --check --format json src/B-1");
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(json.out.rfind("[\n  {\"file\": \"", 0), 0u) << json.out;
  EXPECT_NE(json.out.find("\"line\": 1, \"column\": 8, \"severity\": \"warning\""),
            std::string::npos)
      << json.out;
  // A path inside a finding's message is named as the user reads paths.
  WriteFiles(Source(), {{"X1.txt", "1,1e39,20,0\n"}});
  const std::string x1 = platform::Utf8String(Source() / "X1.txt");
  text = Convert("--patdat patdat --check src/B-1");
  EXPECT_NE(text.out.find("error: 数値が大きすぎるため変換できません。 " +
                          (platform::kShowsNativePaths ? x1 : std::string(""))),
            std::string::npos)
      << text.out;
  std::filesystem::remove(Source() / "X1.txt");
  EXPECT_EQ(Convert("--patdat patdat --check src/B-1").status, 1);
  EXPECT_EQ(FileNames(Source()), "CNT.TXT Titl01.txt Titl02.txt X3.txt");
  (void)before;
}

TEST_F(CliTest, RelativeSourcesStartWhereTheCommandLineDoes) {
  // The first source lies on drive D:, and checking it makes D: the current drive.
  Result r = Convert("--patdat patdat --check src/B-1 src/B-1",
                     "TAVRIMEN_DRIVES=D=" + (root_.path() / "src").string());
  EXPECT_EQ(r.status, 0) << r.out << r.err;
}

TEST_F(CliTest, CheckLeavesAnEmptySettingsFileAlone) {
  testing::WriteFile(root_.path() / "system" / "PatdatV5.ini", "");
  EXPECT_EQ(Convert("--check src/B-1").status, 1);
  EXPECT_TRUE(std::filesystem::exists(root_.path() / "system" / "PatdatV5.ini"));
}

#ifndef _WIN32  // folder names that are not UTF-8 exist on POSIX file systems only
TEST_F(CliTest, CheckWritesValidJsonForNamesThatAreNotUtf8) {
  // A stray byte, a surrogate and an overlong form: none is UTF-8.
  for (const std::string name : {"bad\xff", "bad\xed\xa0\x80", "bad\xc0\xaf"}) {
    std::filesystem::remove_all(root_.path() / "src");
    WriteFiles(root_.path() / "src" / name / "B-1", MinimalBoring());
    Result json = Convert("--patdat patdat --check --format json 'src/" + name + "/B-1'");
    EXPECT_EQ(json.out.find(name), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("bad\xEF\xBF\xBD"), std::string::npos) << json.out;
  }
}

TEST_F(CliTest, CheckOutputKeepsOneFindingALineAndCountsWhatItLeavesOut) {
  WriteFiles(root_.path() / "src" / "two\nlines" / "B-1", MinimalBoring());
  std::string x7;
  for (int i = 0; i < 250; ++i)
    x7 += "1,0,0,0,1,2,0,0," + std::to_string(900 + i % 50) + std::string(59, ',') + "\n";
  WriteFiles(root_.path() / "src" / "two\nlines" / "B-1", {{"X7.TXT", x7}});
  Result text = Convert("--patdat patdat --check 'src/two\nlines/B-1'");
  std::size_t lines = 0, x7_lines = 0, named = 0;
  for (std::size_t at = 0; (at = text.out.find('\n', at)) != std::string::npos; ++at) ++lines;
  for (std::size_t at = 0; (at = text.out.find("two\\x0alines", at)) != std::string::npos; ++at) {
    ++named;
  }
  for (std::size_t at = 0; (at = text.out.find("X7.TXT:", at)) != std::string::npos; ++at) {
    ++x7_lines;
  }
  EXPECT_NE(text.out.find("two\\x0alines"), std::string::npos) << text.out;
  EXPECT_EQ(x7_lines, 101u) << text.out;
  EXPECT_NE(text.out.find("X7.TXT:0:0: note: ほかに 150 件、同じ種類の指摘を省きました"),
            std::string::npos)
      << text.out;
  EXPECT_EQ(lines, named + 1) << "a finding was split over lines:\n" << text.out;
  // The last line sums the check up.
  EXPECT_NE(
      text.out.find("検査: ボーリング 1 件、ファイル 6 個、エラー 0 件、警告 100 件、注意 5 件\n"),
      std::string::npos)
      << text.out;
}

TEST_F(CliTest, NamesHoldingABackslashAreRefusedRatherThanReadAsTwoNames) {
  // From a working folder named "cw\d", "out" would turn into the drive-form path ...\cw\d\out,
  // which names cw/d/out.
  std::filesystem::create_directories(root_.path() / "cw\\d");
  std::filesystem::create_directories(root_.path() / "cw" / "d");
  testing::WriteFile(root_.path() / "cw\\d" / "patdat" / "L4.TXT", "");
  Result r = Convert("--patdat ../patdat ../src/B-1 out", "", {}, root_.path() / "cw\\d");
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_FALSE(std::filesystem::exists(root_.path() / "cw" / "d" / "out"));
  EXPECT_FALSE(std::filesystem::exists(root_.path() / "cw\\d" / "out"));
}
#endif

TEST_F(CliTest, DriveFormWithSlashesStaysInsideTheDestination) {
  Result r = Convert("--patdat patdat D:/src/B-1 D:/out",
                     "TAVRIMEN_DRIVES='D=" + root_.path().string() + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(FileNames(root_.path() / "out"), "B-1");
}

TEST_F(CliTest, BatchSummaryNamesADeclinedDestination) {
  WriteSite(root_.path() / "site", {"a/B-1", "a/B-2"});
  Result r = Convert("--patdat patdat --no site/a/B-1 site/a/B-2 missing/out");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("B-2: フォルダがありません。新規作成しますか？ いいえ"), std::string::npos)
      << r.err;
}

TEST_F(CliTest, JsonResultsOfConversionsForScripts) {
  WriteSite(root_.path() / "site", {"a/B-1", "a/B-2"});
  std::filesystem::remove(root_.path() / "site" / "a" / "B-2" / "X1.txt");
  auto shown = [&](const std::filesystem::path& path) { return platform::Utf8String(path); };
  const std::string out = shown(root_.path() / "out");
  Result single = Convert("--patdat patdat --format=json site/a/B-1 out");
  EXPECT_EQ(single.status, 0) << single.err;
  const testing::Json one = testing::ParseJson(single.out);
  ASSERT_EQ(one.array().size(), 1u);
  EXPECT_EQ(one.array()[0]["source"].text(), shown(root_.path() / "site" / "a" / "B-1"));
  EXPECT_EQ(one.array()[0]["record_file"].text(), shown(root_.path() / "out" / "B-1"));
  EXPECT_EQ(one.array()[0]["outcome"].text(), "converted");
  EXPECT_EQ(one.array()[0]["message"].text(), "");

  Result batch = Convert("--patdat patdat --format json site/a/B-1 site/a/B-2 out");
  EXPECT_EQ(batch.status, 1);
  const testing::Json all = testing::ParseJson(batch.out);
  ASSERT_EQ(all.array().size(), 2u);
  EXPECT_EQ(all.array()[0]["outcome"].text(), "converted");
  EXPECT_EQ(all.array()[1]["outcome"].text(), "refused");
  EXPECT_TRUE(all.array()[1]["record_file"].is_null());  // none was written
  EXPECT_EQ(all.array()[0]["record_file"].text(), shown(root_.path() / "out" / "B-1"));
  // The source and the reason: no title naming the destination.
  EXPECT_EQ(all.array()[1]["message"].text(), "地質区分が入力されていません。");
  EXPECT_NE(batch.err.find("変換 1 件、拒否 1 件、失敗 0 件"), std::string::npos) << batch.err;
  // Standard output holds JSON even when there is nothing to convert.
  std::filesystem::create_directories(root_.path() / "empty");
  EXPECT_TRUE(testing::ParseJson(Convert("--patdat patdat --format=json --all=empty out").out)
                  .array()
                  .empty());
}

TEST_F(CliTest, PicturesOfEachBoringAndAnOverviewOfABatch) {
  Result single = Convert("--patdat patdat --svg=pics src/B-1 out");
  EXPECT_EQ(single.status, 0) << single.err;
  EXPECT_EQ(testing::ParseXml(ReadFile(root_.path() / "pics" / "B-1.svg")).name, "svg");
  EXPECT_EQ(FileNames(root_.path() / "pics"), "B-1.svg");

  WriteSite(root_.path() / "site", {"a/B-1", "a/B-2"});
  std::filesystem::remove(root_.path() / "site" / "a" / "B-2" / "X1.txt");
  Result batch = Convert("--patdat patdat --svg pics/site site/a/B-1 site/a/B-2 out");
  EXPECT_EQ(batch.status, 1);
  // A picture of the boring converted; a row for each, the refused one without a picture, and
  // the sources named below their common folder.
  EXPECT_EQ(FileNames(root_.path() / "pics" / "site"), "B-1.svg index.html");
  const std::string index = ReadFile(root_.path() / "pics" / "site" / "index.html");
  const std::string parts[] = {
      "<title>一括変換のボーリング一覧</title>",
      "<li class=\"converted\">変換済<b>1</b></li><li class=\"refused\">拒否<b>1</b></li>"
      "<li class=\"failed none\">失敗<b>0</b></li>",
      "<dt>変換先</dt><dd>" + platform::Utf8String(root_.path() / "out") + "</dd>",
      "<dt>変換元</dt><dd>" + platform::Utf8String(root_.path() / "site" / "a") + "</dd>",
      "<a href=\"B-1.svg\"><img src=\"B-1.svg\"",
      "<div class=\"name\">No.1</div><div class=\"source\">B-1</div></td><td>千葉県千葉市</td>"
      "<td><a href=\"../../out/B-1\">B-1</a></td><td class=\"outcome\">変換済</td><td></td>",
      "<div class=\"source\">B-2</div></td><td></td><td></td><td class=\"outcome\">拒否</td>"
      "<td>地質区分が入力されていません。</td>",
  };
  for (const std::string& part : parts) EXPECT_NE(index.find(part), std::string::npos) << part;
  EXPECT_EQ(index.find("B-2.svg"), std::string::npos) << index;

#ifndef _WIN32  // folder names that are not UTF-8 exist on POSIX file systems only
  // Borings found by --all are named below the root, which the page shows as valid UTF-8.
  WriteSite(root_.path() / "site\xff", {"x/B-3"});
  EXPECT_EQ(Convert("--patdat patdat --svg pics/all --all 'site\xff' out").status, 0);
  const std::string all = ReadFile(root_.path() / "pics" / "all" / "index.html");
  EXPECT_NE(all.find("<dd>" + platform::Utf8String(root_.path()) + "/site\xEF\xBF\xBD</dd>"),
            std::string::npos)
      << all;
  EXPECT_NE(all.find("<div class=\"source\">x/B-3</div>"), std::string::npos) << all;
  EXPECT_EQ(all.find('\xff'), std::string::npos);
#endif

  EXPECT_EQ(Convert("--check --svg=pics src/B-1").status, 2);
}

// Pictures whose drawing runs out of memory.
class PicturesWithoutMemory : public Pictures {
 public:
  using Pictures::Pictures;

 protected:
  std::string_view Picture(std::string_view) override { throw std::bad_alloc(); }
};

TEST_F(CliTest, APictureThatCannotBeDrawnLeavesItsBoringConverted) {
  WriteSite(root_.path() / "site", {"B-1", "B-2"});
  std::ostringstream out, err;
  PicturesWithoutMemory pictures(root_.path() / "pics", TextsFor(platform::Language::kJapanese),
                                 err);
  BatchOptions options;
  options.drives = platform::DriveTable::FromEnvironment();
  options.destination = platform::ResolveFound(options.drives, root_.path() / "out");
  options.patdat = platform::ResolveFound(options.drives, Patdat()).drive_form.text() + "\\";
  options.jobs = 2;
  options.pictures = &pictures;
  SourceList sources;
  sources.Add(platform::ResolveFound(options.drives, root_.path() / "site" / "B-1").drive_form);
  sources.Add(platform::ResolveFound(options.drives, root_.path() / "site" / "B-2").drive_form);
  EXPECT_EQ(RunBatch(sources, options, out, err), 1);
  // The summary says what the exit status says.
  EXPECT_EQ(out.str(), "変換 2 件、拒否 0 件、失敗 0 件（柱状図を書けなかったもの 2 件）\n");
  EXPECT_NE(err.str().find("tavrimen-convert: B-2 の柱状図を描けません: メモリが足りません。\n"),
            std::string::npos)
      << err.str();
  EXPECT_EQ(FileNames(root_.path() / "out"), "B-1 B-2");
  EXPECT_EQ(FileNames(root_.path() / "pics"), "index.html");
  const std::string index = ReadFile(root_.path() / "pics" / "index.html");
  EXPECT_NE(index.find("<tr class=\"converted\"><td><span class=\"no-picture\">柱状図なし</span>"),
            std::string::npos)
      << index;
  EXPECT_NE(index.find("<td class=\"outcome\">変換済</td><td>B-1 の柱状図を描けません: "
                       "メモリが足りません。</td>"),
            std::string::npos)
      << index;
}

TEST_F(CliTest, APictureThatCannotBeWrittenIsSaidAndLeavesTheRecordFile) {
  const std::string record = MinimalRecordFile();
  const struct {
    testing::FaultyFileSystem::Operation operation;
    const char* folder;
  } faults[] = {{testing::FaultyFileSystem::Operation::kWrite, "pics"},
                {testing::FaultyFileSystem::Operation::kMakeFolder, "pics/deep"}};
  for (const auto& fault : faults) {
    SCOPED_TRACE(fault.folder);
    platform::DriveTable drives = platform::DriveTable::FromEnvironment();
    platform::DiskFileSystem disk(drives);
    testing::FaultyFileSystem files(disk);
    files.FailBelow(root_.path() / "pics", fault.operation, ENOSPC);
    std::ostringstream err;
    Pictures pictures(root_.path() / fault.folder, TextsFor(platform::Language::kJapanese), err);
    const DrawnBoring drawn = pictures.Draw("Z:\\out\\B-1", record, files);
    EXPECT_NE(drawn.problem.find("を書き込めません"), std::string::npos) << drawn.problem;
    EXPECT_TRUE(drawn.picture.empty());
    EXPECT_FALSE(pictures.all_written());
    EXPECT_NE(err.str().find(drawn.problem), std::string::npos) << err.str();
  }
}

TEST(ParseArguments, BatchAndCheckOptions) {
  const CliTexts& texts = TextsFor(platform::Language::kEnglish);
  auto batch = ParseArguments({"-j", "3", "a", "b", "out"}, texts).arguments;
  ASSERT_TRUE(batch);
  EXPECT_EQ(batch->jobs, 3);
  ASSERT_EQ(batch->sources.size(), 2u);
  EXPECT_EQ(batch->sources[1].text, "b");
  EXPECT_EQ(batch->destination.text, "out");
  auto all = ParseArguments({"-j2", "--all", "root", "--", "-out"}, texts).arguments;
  ASSERT_TRUE(all);
  ASSERT_EQ(all->roots.size(), 1u);
  EXPECT_EQ(all->roots[0].text, "root");
  EXPECT_TRUE(all->sources.empty());
  EXPECT_EQ(all->destination.text, "-out");
  auto check = ParseArguments({"--check", "--format", "json", "a", "b"}, texts).arguments;
  ASSERT_TRUE(check);
  EXPECT_TRUE(check->check && check->json);
  EXPECT_EQ(check->sources.size(), 2u);
}

}  // namespace
}  // namespace tavrimen::cli
