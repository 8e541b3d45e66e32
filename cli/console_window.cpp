#include "cli/console_window.h"

#include <iostream>

#include "platform/terminal.h"

namespace tavrimen::cli {
namespace {}  // namespace

bool AskYesNoOnTerminal(std::string_view title, std::string_view question, std::ostream& err) {
  err << title << ": " << question;
  if (!platform::StdinIsTerminal()) {
    err << " いいえ" << std::endl;
    return false;
  }
  err << " [y/N] " << std::flush;
  std::string reply;
  if (!std::getline(std::cin, reply)) return false;
  return !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
}

ConsoleWindow::ConsoleWindow(std::string destination, std::string source,
                             std::optional<bool> answer, std::ostream& out, std::ostream& err)
    : HeadlessWindow(std::move(destination), std::move(source)),
      answer_(answer),
      out_(out),
      err_(err) {}

void ConsoleWindow::SetLabel3(std::string_view text) {
  if (!text.empty()) out_ << text << std::endl;
}

MessageAnswer ConsoleWindow::ShowMessage(std::string_view text, MessageIcon, MessageButtons buttons,
                                         std::string_view title) {
  if (buttons == MessageButtons::kYesNo && !answer_) {
    return AskYesNoOnTerminal(title, text, err_) ? MessageAnswer::kYes : MessageAnswer::kNo;
  }
  err_ << title << ": " << text;
  if (buttons == MessageButtons::kOk) {
    err_ << std::endl;
    return MessageAnswer::kOk;
  }
  err_ << (*answer_ ? " はい" : " いいえ") << std::endl;
  return *answer_ ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace tavrimen::cli
