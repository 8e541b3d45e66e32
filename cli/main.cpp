// tavrimen-convert: the conversion of the window, run from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "app/conversion_run.h"
#include "cli/arguments.h"
#include "cli/console_window.h"
#include "platform/file_system.h"
#include "reference/settings.h"

namespace {

constexpr const char* kNoPatdatMessage = " PATDAT の設定がありません.";

}  // namespace

int main(int argc, char** argv) {
  using namespace tavrimen;
  auto arguments = cli::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!arguments) {
    std::cerr << cli::kUsage;
    return 2;
  }
  if (arguments->help) {
    std::cout << cli::kUsage;
    return 0;
  }

  // What the window does at start-up: the pattern-data folder must name an existing folder.
  std::string patdat;
  if (arguments->patdat) {
    if (auto drive_form = cli::DriveFormArgument(*arguments->patdat)) {
      patdat = PatternFolderFromText(*drive_form);
    }
  } else {
    patdat = ReadPatternFolderSetting();
  }
  if (patdat.empty() || !platform::PathExists(patdat.substr(0, patdat.size() - 1))) {
    std::cerr << kAppTitle << ":" << kNoPatdatMessage << std::endl;
    return 1;
  }

  auto source = cli::DriveFormArgument(arguments->source);
  auto destination = cli::DriveFormArgument(arguments->destination);
  if (!source || !destination) {
    std::cerr << kAppTitle << ": "
              << "指定されたパスは正しくありません。" << std::endl;
    return 1;
  }
  cli::ConsoleWindow window(*destination, *source, arguments->answer, std::cout, std::cerr);
  return Command1_Click(window, patdat) == RunOutcome::kConverted ? 0 : 1;
}
