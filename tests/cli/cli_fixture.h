// Test support: the built tavrimen-convert run in a folder of its own, with a boring and
// pattern data there.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "platform/native_paths.h"
#include "platform/paths.h"
#include "support/data_set.h"
#include "support/process.h"

namespace tavrimen::cli {

using testing::MinimalBoring;
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
  // A checked folder path as a message's title shows it: native, or in drive form with its final
  // backslash where that is the native form.
  static std::string Title(const std::filesystem::path& folder) {
    return platform::Utf8String(folder) + (platform::kShowsNativePaths ? "" : "\\");
  }
  std::string Patdat() const { return (root_.path() / "patdat").string(); }

  // Runs the tool with `args` (shell words) in `root_`, with an empty system folder and the
  // extra environment variables `environment` (NAME=value shell words).
  Result Convert(const std::string& args, const std::string& environment = "",
                 const std::function<void(long)>& while_running = {},
                 std::filesystem::path folder = {}) {
    if (folder.empty()) folder = root_.path();
    const auto out = root_.path() / "stdout";
    const auto err = root_.path() / "stderr";
    // A Japanese user unless the test says otherwise.
    std::map<std::string, std::string> variables = {
        {"TAVRIMEN_SYSTEM_DIR", (root_.path() / "system").string()},
        {"LC_ALL", ""},
        {"LC_MESSAGES", ""},
        {"LANG", "ja_JP.UTF-8"}};
    for (const std::string& word : testing::ShellWords(environment)) {
      variables[word.substr(0, word.find('='))] = word.substr(word.find('=') + 1);
    }
    const int status = testing::RunProcess(TAVRIMEN_CONVERT_PATH, testing::ShellWords(args),
                                           variables, folder, out, err, while_running);
    Result result{status, ReadFile(out), ReadFile(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
  }

  TempFolder root_;
};

}  // namespace tavrimen::cli
