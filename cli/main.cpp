// tavrimen-convert: the conversion of the window, run from the command line, for one boring or
// many; and a check of data sets that changes nothing.
#ifdef _WIN32
// windows.h must come before shellapi.h.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on
#include <fcntl.h>
#include <io.h>
#endif

#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/conversion_run.h"
#include "app/data_check.h"
#include "app/messages.h"
#include "app/start_up.h"
#include "cli/arguments.h"
#include "cli/batch.h"
#include "cli/check_report.h"
#include "cli/console_window.h"
#include "cli/interrupt.h"
#include "platform/disk_file_system.h"
#include "platform/native_paths.h"
#include "platform/paths.h"
#include "platform/read_only_file_system.h"
#include "platform/terminal.h"
#include "reference/path_checks.h"
#include "reference/settings.h"

namespace {

using namespace tavrimen;

int Check(platform::DriveTable& drives, const cli::Arguments& arguments,
          const cli::SourceList& sources, const std::vector<cli::Unsearched>& unsearched,
          const std::string& patdat) {
  // Relative paths start where they did on the command line, whatever drive a check makes current.
  const platform::DriveTable typed_base = drives;
  std::vector<Finding> findings;
  for (const cli::Unsearched& folder : unsearched) {
    findings.push_back({folder.folder, 0, 0, Severity::kError, cli::UnsearchedMessage(folder)});
  }
  for (std::size_t i = 0; i < sources.size(); ++i) {
    const std::string source = sources[i];
    platform::DiskFileSystem files(drives);
    auto drive_form = platform::DriveFormOfTyped(typed_base, source);
    std::string folder = drive_form.value_or(source);
    if (!drive_form || CheckFolderPath(files, folder) != PathVerdict::kAccepted) {
      findings.push_back({source, 0, 0, Severity::kError, std::string(kBadPathMessage)});
      continue;
    }
    std::vector<Finding> found = CheckDataSet(files, folder, patdat);
    findings.insert(findings.end(), found.begin(), found.end());
  }
  platform::DiskFileSystem files(drives);
  cli::PrintFindings(files, findings, arguments.json, std::cout);
  for (const Finding& finding : findings) {
    if (finding.severity == Severity::kError) return 1;
  }
  return 0;
}

}  // namespace

// The command line as UTF-8 text. On Windows the narrow arguments are in the ANSI code page, so
// they are taken again from the wide command line; output is UTF-8 bytes with "\n" line ends there
// as everywhere.
std::vector<std::string> CommandLine(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<std::size_t>(std::max(length, 1)) - 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), length, nullptr, nullptr);
    args.push_back(arg);
  }
  LocalFree(wide);
  return args;
#else
  return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

int main(int argc, char** argv) {
  auto arguments = cli::ParseArguments(CommandLine(argc, argv));
  if (!arguments) {
    std::cerr << cli::kUsage;
    return 2;
  }
  if (arguments->help) {
    std::cout << cli::kUsage;
    return 0;
  }

  platform::DriveTable drives = platform::DriveTable::FromEnvironment();
  platform::DiskFileSystem files(drives);
  // What the window does at start-up: the pattern-data folder must name an existing folder.
  std::string patdat;
  if (arguments->patdat) {
    if (auto drive_form = platform::DriveFormOfTyped(drives, *arguments->patdat)) {
      patdat = PatternFolderFromText(drives, *drive_form);
    }
  } else {
    // A check changes nothing, not even the empty settings file that a conversion would delete.
    platform::ReadOnlyFileSystem read_only(files);
    patdat =
        arguments->check ? ReadPatternFolderSetting(read_only) : ReadPatternFolderSetting(files);
  }
  if (!PatternFolderExists(files, patdat)) {
    std::cerr << kAppTitle << ":" << kNoPatdatMessage << std::endl;
    return 1;
  }

  cli::SourceList sources;
  std::vector<cli::Unsearched> unsearched;
  for (const std::string& source : arguments->sources) sources.Add(source);
  for (const std::string& root : arguments->roots) {
    cli::FindBorings(platform::Utf8Path(root), sources, unsearched);
  }
  if (sources.empty() && unsearched.empty()) {
    std::cerr << kAppTitle << ": "
              << "X1.txt のあるフォルダが見つかりません。" << std::endl;
    return 1;
  }
  if (arguments->check) return Check(drives, *arguments, sources, unsearched, patdat);

  auto destination = platform::DriveFormOfTyped(drives, arguments->destination);
  if (!destination) {
    std::cerr << kAppTitle << ": " << kBadPathMessage << std::endl;
    return 1;
  }
  const bool batch = sources.size() != 1 || !arguments->roots.empty() || arguments->jobs;
  if (!batch) {
    auto source = platform::DriveFormOfTyped(drives, sources[0]);
    if (!source) {
      std::cerr << kAppTitle << ": " << kBadPathMessage << std::endl;
      return 1;
    }
    cli::ConsoleWindow window(*destination, *source, arguments->answer, std::cout, std::cerr);
    return Command1_Click(window, files, patdat) == RunOutcome::kConverted ? 0 : 1;
  }

  cli::BatchOptions options;
  options.drives = drives;
  options.destination = *destination;
  options.patdat = patdat;
  options.answer = arguments->answer;
  options.jobs =
      arguments->jobs.value_or(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
  options.progress = platform::StderrIsTerminal();
  options.unsearched = std::move(unsearched);
  cli::CatchInterrupts();
  return cli::RunBatch(sources, options, std::cout, std::cerr);
}
