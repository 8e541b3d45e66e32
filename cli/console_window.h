// The window interface on a console: Label3 texts go to standard output, message boxes to standard
// error as "title: message", and the folder-creation question is answered by the command line,
// by the user on a terminal, or else with No.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "app/headless_window.h"

namespace tavrimen::cli {

// Asks `question` (with the title) on standard error and reads the answer from a terminal: true
// for an answer that starts with y. Without a terminal to ask, No.
bool AskYesNoOnTerminal(std::string_view title, std::string_view question, std::ostream& err);

class ConsoleWindow : public HeadlessWindow {
 public:
  // `answer` is the answer to every Yes/No question when given.
  ConsoleWindow(std::string destination, std::string source, std::optional<bool> answer,
                std::ostream& out, std::ostream& err);

  void SetLabel3(std::string_view text) override;
  MessageAnswer ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                            std::string_view title) override;

 private:
  std::optional<bool> answer_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace tavrimen::cli
