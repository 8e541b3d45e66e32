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
#include <set>
#include <sstream>
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
#include "cli/results.h"
#include "cli/run_source.h"
#include "cli/texts.h"
#include "platform/disk_file_system.h"
#include "platform/native_paths.h"
#include "platform/paths.h"
#include "platform/read_only_file_system.h"
#include "platform/terminal.h"
#include "platform/ui_language.h"
#include "reference/path_checks.h"
#include "reference/settings.h"
#include "source/record_files.h"

namespace {

using namespace tavrimen;

// Counts the files a check reads, other than the reference tables.
class ReadCounter : public platform::FileSystemWrapper {
 public:
  ReadCounter(platform::FileSystem& target, std::optional<std::filesystem::path> tables)
      : FileSystemWrapper(target), tables_(std::move(tables)) {}

  std::string ReadNativeFile(const std::filesystem::path& native, std::string_view shown) override {
    std::string content = FileSystemWrapper::ReadNativeFile(native, shown);
    if (!tables_ || native.parent_path() != *tables_) read_.insert(native);
    return content;
  }
  std::size_t count() const { return read_.size(); }

 private:
  std::optional<std::filesystem::path> tables_;
  std::set<std::filesystem::path> read_;
};

int Check(const platform::DriveTable& drives, const cli::Arguments& arguments,
          const cli::SourceList& sources, const std::vector<cli::Unsearched>& unsearched,
          const std::vector<cli::RefusedSource>& refused, const std::string& patdat,
          const cli::CliTexts& texts) {
  platform::DiskFileSystem disk(drives);
  ReadCounter files(disk, disk.ToNative(std::string_view(patdat).substr(0, patdat.size() - 1)));
  std::vector<Finding> findings;
  std::size_t checked = 0;  // borings whose data set was read
  for (const cli::Unsearched& folder : unsearched) {
    findings.push_back(
        {folder.folder, 0, 0, Severity::kError, cli::UnsearchedMessage(folder, texts)});
  }
  for (const cli::RefusedSource& source : refused) {
    findings.push_back({source.shown, 0, 0, Severity::kError, source.message});
  }
  for (std::size_t i = 0; i < sources.size(); ++i) {
    std::optional<cli::RunSource> run;
    try {
      run.emplace(files, sources[i], patdat);
    } catch (const std::exception& e) {
      findings.push_back({sources[i].text(), 0, 0, Severity::kError,
                          OnOneLine(FailureMessage(e, ShownWith(drives)))});
      continue;
    }
    std::string folder = run->folder().text();
    if (CheckFolderPath(run->files(), folder) != PathVerdict::kAccepted) {
      findings.push_back({platform::ShownPath(drives, sources[i]), 0, 0, Severity::kError,
                          std::string(kBadPathMessage)});
      continue;
    }
    ++checked;
    std::vector<Finding> found =
        CheckDataSet(run->files(), folder, run->patdat(), ShownWith(drives));
    if (run->xml() != nullptr) {
      // The files a conversion would create or delete are the reader's own, held in memory.
      std::erase_if(found,
                    [](const Finding& finding) { return finding.severity == Severity::kNote; });
      // What the XML says that the record file cannot hold, before what the data set shows.
      std::vector<Finding> notes;
      for (const std::string& dropped : run->xml()->dropped) {
        notes.push_back({sources[i].text(), 0, 0, Severity::kNote, dropped});
      }
      found.insert(found.begin(), notes.begin(), notes.end());
    }
    findings.insert(findings.end(), found.begin(), found.end());
  }
  cli::PrintFindings(files, findings, arguments.json, std::cout);
  std::size_t counts[3] = {};
  for (const Finding& finding : findings) ++counts[static_cast<int>(finding.severity)];
  if (!arguments.json) {
    std::cout << cli::Fill(texts.check_summary,
                           {std::to_string(checked), std::to_string(files.count()),
                            std::to_string(counts[0]), std::to_string(counts[1]),
                            std::to_string(counts[2])})
              << std::endl;
  }
  return counts[static_cast<int>(Severity::kError)] > 0 ? 1 : 0;
}

// Whether the folder holds a data set: a file X1.txt in any letter case.
bool HoldsDataSet(platform::FileSystem& files, const platform::DriveFormPath& folder) {
  return files.PathExists(folder.text() + "\\" + std::string(kX1File.name));
}

// Whether two native paths name one folder, whether or not it exists yet.
bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  const auto canonical_a = std::filesystem::weakly_canonical(a, error);
  const auto canonical_b = std::filesystem::weakly_canonical(b, error);
  return canonical_a == canonical_b;
}

// Wrong usage: what is wrong, and where to read how it goes.
int UsageError(const std::string& error, const cli::CliTexts& texts) {
  std::cerr << cli::kProgramName << ": " << error << "\n" << texts.try_help << std::endl;
  return 2;
}

// The pattern-data folder, or nothing after saying why there is none: the start-up message, then
// a line that names what was looked at.
std::optional<std::string> PatternFolder(platform::DiskFileSystem& files,
                                         const cli::Arguments& arguments,
                                         const cli::CliTexts& texts) {
  const platform::DriveTable& drives = files.drives();
  std::string patdat;
  std::string looked_at;
  if (arguments.patdat) {
    const platform::ResolvedPath folder = platform::ResolveTyped(drives, *arguments.patdat);
    if (folder.problem == platform::PathProblem::kNone) {
      patdat = PatternFolderFromText(drives, folder.drive_form.text());
    }
    looked_at = cli::Fill(texts.patdat_given, {arguments.patdat->text});
  } else {
    const std::filesystem::path settings = SettingsFilePath(files);
    const auto entry = files.NativeEntry(settings);
    // A check changes nothing, not even the empty settings file that a conversion would delete.
    platform::ReadOnlyFileSystem read_only(files);
    patdat =
        arguments.check ? ReadPatternFolderSetting(read_only) : ReadPatternFolderSetting(files);
    const std::string shown = platform::Utf8String(settings);
    if (!entry) {
      looked_at = cli::Fill(texts.settings_missing, {shown});
    } else if (entry->regular && entry->length == 0) {
      looked_at = cli::Fill(texts.settings_empty, {shown});
    } else if (patdat.empty()) {
      looked_at = cli::Fill(texts.settings_no_folder, {shown});
    } else {
      looked_at =
          cli::Fill(texts.settings_folder_missing, {shown, platform::ShownPath(drives, patdat)});
    }
  }
  if (PatternFolderExists(files, patdat)) return patdat;
  std::cerr << kAppTitle << ":" << kNoPatdatMessage << "\n"
            << cli::kProgramName << ": " << looked_at << std::endl;
  return std::nullopt;
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
  const cli::CliTexts& texts = cli::TextsFor(platform::UserLanguage());
  const cli::ParsedArguments parsed = cli::ParseArguments(CommandLine(argc, argv), texts);
  if (!parsed.arguments) return UsageError(parsed.error, texts);
  const cli::Arguments& arguments = *parsed.arguments;
  if (arguments.help) {
    std::cout << texts.help;
    return 0;
  }
  if (arguments.version) {
    std::cout << cli::kProgramName << " " << TAVRIMEN_VERSION << std::endl;
    return 0;
  }

  platform::DriveTable drives = platform::DriveTable::FromEnvironment();
  platform::DiskFileSystem files(drives);

  // Each typed path is resolved once, here, and each source found below a --all root as found;
  // from here on they are passed on resolved, never parsed again.
  cli::SourceList sources;
  std::vector<cli::Unsearched> unsearched;
  std::vector<cli::RefusedSource> refused;
  auto take = [&](const platform::ResolvedPath& source) {
    if (source.problem == platform::PathProblem::kNone) {
      sources.Add(source.drive_form);
    } else {
      refused.push_back({source.as_typed, std::string(PathProblemMessage(source.problem))});
    }
  };
  // A folder of XML borings (a delivery's BORING/DATA) gives each of them; a data set's folder is
  // itself.
  bool expanded = false;
  std::vector<platform::ResolvedPath> typed_sources;  // as typed, for a single conversion
  for (const platform::TypedPath& source : arguments.sources) {
    const platform::ResolvedPath& resolved =
        typed_sources.emplace_back(platform::ResolveTyped(drives, source));
    const auto native = resolved.problem == platform::PathProblem::kNone
                            ? files.ToNative(resolved.drive_form.text())
                            : std::nullopt;
    if (native && !HoldsDataSet(files, resolved.drive_form)) {
      const std::vector<std::filesystem::path> borings = cli::XmlBoringsIn(files, *native);
      for (const std::filesystem::path& boring : borings) {
        take(platform::ResolveFound(drives, boring));
      }
      if (!borings.empty()) {
        expanded = true;
        continue;
      }
    }
    take(resolved);
  }
  std::vector<platform::DriveFormPath> roots;
  for (const platform::TypedPath& root : arguments.roots) {
    const platform::ResolvedPath resolved = platform::ResolveTyped(drives, root);
    if (resolved.problem != platform::PathProblem::kNone) {
      take(resolved);
      continue;
    }
    roots.push_back(resolved.drive_form);
    const std::optional<std::filesystem::path> native = files.ToNative(resolved.drive_form.text());
    cli::FindBorings(
        files, native.value_or(platform::Utf8Path(root.text)),
        [&](const std::filesystem::path& found) { take(platform::ResolveFound(drives, found)); },
        unsearched);
  }
  // What the window does at start-up: the pattern-data folder must name an existing folder. XML
  // borings bring their own tables.
  bool only_xml = !sources.empty() && refused.empty();
  for (std::size_t i = 0; only_xml && i < sources.size(); ++i) {
    only_xml = cli::IsXmlFile(files, sources[i]);
  }
  const std::optional<std::string> patdat =
      only_xml ? std::optional<std::string>("") : PatternFolder(files, arguments, texts);
  if (!patdat) return 1;

  if (sources.empty() && unsearched.empty() && refused.empty()) {
    std::cerr << cli::kProgramName << ": " << texts.no_borings << std::endl;
    if (arguments.json) cli::PrintResults({}, std::cout);
    return 1;
  }
  if (arguments.check) {
    return Check(drives, arguments, sources, unsearched, refused, *patdat, texts);
  }

  const platform::ResolvedPath destination = platform::ResolveTyped(drives, arguments.destination);
  // Pictures of the borings, when asked for, in a folder of their own: it is made with the first
  // picture, after the destination question, and never is the destination.
  std::optional<cli::Pictures> pictures;
  if (arguments.svg) {
    const platform::ResolvedPath folder = platform::ResolveTyped(drives, *arguments.svg);
    const auto native = folder.problem == platform::PathProblem::kNone
                            ? files.ToNative(folder.drive_form.text())
                            : std::nullopt;
    if (!native) {
      std::cerr << kAppTitle << ": " << PathProblemMessage(folder.problem) << std::endl;
      return 1;
    }
    const auto destination_native = destination.problem == platform::PathProblem::kNone
                                        ? files.ToNative(destination.drive_form.text())
                                        : std::nullopt;
    if (destination_native && SameFolder(*native, *destination_native)) {
      std::cerr << cli::kProgramName << ": "
                << cli::Fill(texts.pictures_in_destination, {platform::Utf8String(*native)})
                << std::endl;
      return 1;
    }
    pictures.emplace(*native, texts, std::cerr);
  }
  // One source named on the command line is one conversion, as the window's Execute button makes.
  // A folder of XML borings is a batch, even of one.
  const bool batch = arguments.sources.size() != 1 || !arguments.roots.empty() || expanded;
  if (!batch) {
    const platform::ResolvedPath& typed = typed_sources.front();
    const std::string shown_source = typed.problem == platform::PathProblem::kNone
                                         ? platform::ShownPath(drives, typed.drive_form)
                                         : typed.as_typed;
    std::optional<cli::RunSource> run;
    try {
      if (typed.problem == platform::PathProblem::kNone) {
        run.emplace(files, typed.drive_form, *patdat);
      }
    } catch (const std::exception& e) {
      const std::string message = FailureMessage(e, ShownWith(drives));
      std::cerr << kAppTitle << ": " << message << std::endl;
      if (arguments.json) {
        cli::PrintResults({{shown_source, "", RunOutcome::kFailed, OnOneLine(message)}}, std::cout);
      }
      return 1;
    }
    const platform::ResolvedPath source = run ? platform::ResolvedPath::Of(run->folder()) : typed;
    platform::FileSystem& run_files = run ? run->files() : files;
    // Named before the run, whose path checks change the current drive.
    const std::string record_file = cli::RecordFileOf(drives, destination, source);
    std::ostringstream discarded;
    cli::ConsoleWindow window(destination, source, arguments.answer, texts, drives,
                              arguments.json ? discarded : std::cout, std::cerr);
    if (pictures) window.set_pictures(&*pictures, &run_files);
    const RunOutcome outcome = Command1_Click(window, run_files, run ? run->patdat() : *patdat);
    if (arguments.json) {
      cli::PrintResults({{shown_source, outcome == RunOutcome::kConverted ? record_file : "",
                          outcome, window.messages()}},
                        std::cout);
    }
    const bool pictures_written = !pictures || pictures->all_written();
    return outcome == RunOutcome::kConverted && pictures_written ? 0 : 1;
  }

  cli::BatchOptions options;
  options.drives = drives;
  options.destination = destination;
  options.patdat = *patdat;
  options.answer = arguments.answer;
  options.jobs =
      arguments.jobs.value_or(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
  options.progress = platform::StderrIsTerminal();
  options.json = arguments.json;
  options.language = platform::UserLanguage();
  options.unsearched = std::move(unsearched);
  options.refused = std::move(refused);
  options.roots = std::move(roots);
  if (pictures) options.pictures = &*pictures;
  cli::CatchInterrupts();
  return cli::RunBatch(sources, options, std::cout, std::cerr);
}
