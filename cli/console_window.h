// The window interface on a console. Results go to standard output: the success text of a run.
// Everything else goes to standard error: the other status texts, and message boxes as
// "title: message" with paths as the user reads them. The folder-creation question is answered by
// the command line, by the user on a terminal, or else with No.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "app/headless_window.h"
#include "cli/pictures.h"
#include "cli/texts.h"
#include "platform/drive_table.h"

namespace tavrimen::cli {

// Asks `question` (with the title) about the folder `folder` (as the user reads it) on standard
// error and reads the answer from a terminal: true for an answer that starts with y. Without a
// terminal to ask, No, with a hint of --yes. An interrupt (Ctrl-C) while it waits is No at once.
bool AskYesNoOnTerminal(std::string_view title, std::string_view question, std::string_view folder,
                        const CliTexts& texts, std::ostream& err);

class ConsoleWindow : public HeadlessWindow {
 public:
  // `answer` is the answer to every Yes/No question when given. Paths in messages are shown as
  // `drives` gives them, which must outlive the window.
  ConsoleWindow(platform::ResolvedPath destination, platform::ResolvedPath source,
                std::optional<bool> answer, const CliTexts& texts,
                const platform::DriveTable& drives, std::ostream& out, std::ostream& err);

  void SetLabel3(std::string_view text) override;
  void RecordFileWritten(std::string_view path, std::string_view bytes) override;
  std::string PathAsShown(std::string_view drive_form) const override;
  // Where pictures of the boring go, written through `files`; none without.
  void set_pictures(Pictures* pictures, platform::FileSystem* files) {
    pictures_ = pictures;
    files_ = files;
  }
  MessageAnswer ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                            std::string_view title) override;

  // The messages shown so far, on one line, joined by " / ", without their titles: the source
  // that the results name says what they are about.
  const std::string& messages() const { return messages_; }

 private:
  std::optional<bool> answer_;
  const CliTexts& texts_;
  const platform::DriveTable& drives_;
  std::ostream& out_;
  std::ostream& err_;
  std::string messages_;
  std::string record_file_;  // written, as the user reads it
  Pictures* pictures_ = nullptr;
  platform::FileSystem* files_ = nullptr;
};

}  // namespace tavrimen::cli
