#include "app/conversion_run.h"

#include <exception>
#include <optional>
#include <vector>

#include "app/folder_path.h"
#include "app/messages.h"
#include "app/output_generation.h"
#include "app/session.h"
#include "platform/file_system.h"
#include "platform/file_system_native.h"
#include "reference/path_checks.h"
#include "source/record_file.h"

namespace tavrimen {
namespace {

constexpr int kPathPartRoom = 256;

// Whether a resolved text box is refused for what kept it from drive form, before any check: a
// text that is no path at all is left to the path check, which says so as it always has.
bool RefusedAsTyped(const platform::ResolvedPath& path) {
  return path.problem == platform::PathProblem::kLeadingBlanks ||
         path.problem == platform::PathProblem::kBackslashInName;
}

// Shows a refusal under the title of the path it is about, moves the focus where the user has to
// correct something, and empties Label3.
RunOutcome Refuse(Window& window, std::string_view message, std::string_view path,
                  std::optional<TextBox> focus = std::nullopt) {
  window.ShowMessage(message, MessageIcon::kExclamation, MessageButtons::kOk,
                     window.PathAsShown(path));
  if (focus) window.FocusAndSelectAll(*focus);
  window.SetLabel3("");
  return RunOutcome::kRefused;
}

// Asks once whether to create the missing levels of `destination` (ending with a backslash) and
// creates them from the top down. False when a level is missing and the answer is No.
bool SettleDestinationFolders(Window& window, platform::FileSystem& files,
                              const std::string& destination) {
  std::vector<std::string> parts(kPathPartRoom + 1);
  const int n = CountPathParts(destination, "\\");
  SplitPath(destination, "\\", parts);
  auto for_each_prefix = [&](auto&& visit) {
    std::string prefix = parts[1];
    for (int k = 2; k <= n + 1; ++k) {
      prefix += "\\" + parts[static_cast<std::size_t>(k)];
      if (!visit(prefix)) return;
    }
  };
  MessageAnswer answer = MessageAnswer::kOk;
  for_each_prefix([&](const std::string& prefix) {
    if (files.PathExists(prefix)) return true;
    answer = window.ShowMessage(kCreateFolderQuestion, MessageIcon::kQuestion,
                                MessageButtons::kYesNo, kAppTitle);
    return false;
  });
  if (answer == MessageAnswer::kNo) return false;
  if (answer == MessageAnswer::kYes) {
    for_each_prefix([&](const std::string& prefix) {
      if (!files.PathExists(prefix)) files.MakeFolder(prefix);
      return true;
    });
  }
  return true;
}

RunOutcome Run(Window& window, platform::FileSystem& files, const std::string& patdat_path) {
  window.SetLabel3(kConvertingText);
  window.ProcessEventsOnce();

  // Each folder as its text box resolves it: a path that a blank or a backslash keeps from drive
  // form is refused as such; any other goes to the path check.
  const platform::ResolvedPath source_text = window.Text(TextBox::kText2);
  if (RefusedAsTyped(source_text)) {
    return Refuse(window, PathProblemMessage(source_text.problem), source_text.RunText(),
                  TextBox::kText2);
  }
  std::string source = source_text.RunText();
  if (!ValidateFolderPath(files, source, window)) {
    return Refuse(window, kBadPathMessage, source, TextBox::kText2);
  }
  // A drive root has no folder name to name the record file after.
  if (IsDriveRoot(source)) {
    return Refuse(window, kDriveRootSourceMessage, source, TextBox::kText2);
  }
  if (NamesAFolderEndingInBlanks(files, source_text.RunText())) {
    return Refuse(window, kTrailingBlankMessage, source, TextBox::kText2);
  }
  // A record file named as the temporary files are would be taken for one that a killed run
  // left, and removed.
  if (platform::native::IsTemporaryName(RecordFileNameOf(source))) {
    return Refuse(window, kTemporaryNameMessage, source, TextBox::kText2);
  }

  const platform::ResolvedPath destination_resolved = window.Text(TextBox::kText1);
  if (RefusedAsTyped(destination_resolved)) {
    return Refuse(window, PathProblemMessage(destination_resolved.problem),
                  destination_resolved.RunText(), TextBox::kText1);
  }
  std::string destination = destination_resolved.RunText();
  if (!ValidateFolderPath(files, destination, window)) {
    return Refuse(window, kBadPathMessage, destination, TextBox::kText1);
  }
  const std::string& destination_text = destination_resolved.RunText();
  if (!destination_text.empty() && destination_text.back() == '\\') {
    return Refuse(window, kTrailingBackslashMessage, source);
  }
  if (NamesAFolderEndingInBlanks(files, destination_text)) {
    return Refuse(window, kTrailingBlankMessage, destination, TextBox::kText1);
  }

  if (!SettleDestinationFolders(window, files, destination)) {
    window.SetLabel3("");
    return RunOutcome::kRefused;
  }

  window.SetPointer(Pointer::kHourglass);
  // The record file's name is formed from the checked destination, so blanks typed around it
  // cannot reach the file name.
  Session session(files, source, patdat_path, destination + RecordFileNameOf(source));

  // Without these checks a missing source folder, or a file, would read as a data set without
  // X1.txt.
  const auto source_entry = files.Entry(session.source.path);
  if (!source_entry || !source_entry->folder) {
    Refuse(window, source_entry ? kSourceNotAFolderMessage : kNoSourceFolderMessage, source,
           TextBox::kText2);
    window.SetPointer(Pointer::kDefault);
    return RunOutcome::kRefused;
  }
  if (RecordFile::Probe(session.source, kX1File) == 0) {
    Refuse(window, kNoGeologyMessage, destination, TextBox::kText1);
    window.SetPointer(Pointer::kDefault);
    return RunOutcome::kRefused;
  }

  const std::string bytes = GenerateRecordFile(session);
  window.RecordFileWritten(session.output_path, bytes);

  window.SetPointer(Pointer::kDefault);
  window.SetLabel3(kConvertedText);
  return RunOutcome::kConverted;
}

}  // namespace

RunOutcome Command1_Click(Window& window, platform::FileSystem& files,
                          const std::string& patdat_path) {
  std::string failure;
  try {
    return Run(window, files, patdat_path);
  } catch (const std::exception& e) {
    failure =
        FailureMessage(e, [&window](std::string_view path) { return window.PathAsShown(path); });
  }
  window.SetPointer(Pointer::kDefault);
  window.ShowMessage(failure, MessageIcon::kExclamation, MessageButtons::kOk, kAppTitle);
  window.SetLabel3("");
  return RunOutcome::kFailed;
}

}  // namespace tavrimen
