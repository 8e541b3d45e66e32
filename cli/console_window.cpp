#include "cli/console_window.h"

#include <iostream>

#include "platform/terminal.h"

namespace tavrimen::cli {
namespace {

bool AskOnTerminal(std::ostream& err) {
  err << " [y/N] " << std::flush;
  std::string reply;
  if (!std::getline(std::cin, reply)) return false;
  return !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
}

}  // namespace

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
  err_ << title << ": " << text;
  if (buttons == MessageButtons::kOk) {
    err_ << std::endl;
    return MessageAnswer::kOk;
  }
  bool yes = false;
  if (answer_) {
    yes = *answer_;
    err_ << (yes ? " はい" : " いいえ") << std::endl;
  } else if (platform::StdinIsTerminal()) {
    yes = AskOnTerminal(err_);
  } else {
    err_ << " いいえ" << std::endl;
  }
  return yes ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace tavrimen::cli
