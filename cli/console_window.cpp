#include "cli/console_window.h"

#include <iostream>

#include "app/messages.h"
#include "platform/native_paths.h"
#include "platform/terminal.h"

namespace tavrimen::cli {

bool AskYesNoOnTerminal(std::string_view title, std::string_view question, const CliTexts& texts,
                        std::ostream& err) {
  err << title << ": " << question;
  if (!platform::StdinIsTerminal()) {
    err << " " << texts.no << std::endl;
    return false;
  }
  err << " [y/N] " << std::flush;
  std::string reply;
  if (!std::getline(std::cin, reply)) return false;
  return !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
}

ConsoleWindow::ConsoleWindow(platform::ResolvedPath destination, platform::ResolvedPath source,
                             std::optional<bool> answer, const CliTexts& texts,
                             const platform::DriveTable& drives, std::ostream& out,
                             std::ostream& err)
    : HeadlessWindow(std::move(destination), std::move(source)),
      answer_(answer),
      texts_(texts),
      drives_(drives),
      out_(out),
      err_(err) {}

void ConsoleWindow::SetLabel3(std::string_view text) {
  if (text.empty()) return;
  (text == kConvertedText ? out_ : err_) << text << std::endl;
}

void ConsoleWindow::RecordFileWritten(std::string_view path, std::string_view bytes) {
  if (pictures_ != nullptr) pictures_->Draw(path, bytes);
}

MessageAnswer ConsoleWindow::ShowMessage(std::string_view text, MessageIcon, MessageButtons buttons,
                                         std::string_view title) {
  const std::string shown_title = platform::ShownText(drives_, title);
  const std::string shown_text = platform::ShownText(drives_, text);
  std::optional<bool> yes;
  if (buttons == MessageButtons::kYesNo) {
    if (answer_) {
      err_ << shown_title << ": " << shown_text << " " << (*answer_ ? texts_.yes : texts_.no)
           << std::endl;
      yes = answer_;
    } else {
      yes = AskYesNoOnTerminal(shown_title, shown_text, texts_, err_);
    }
  } else {
    err_ << shown_title << ": " << shown_text << std::endl;
  }
  if (!yes || !*yes) {
    if (!messages_.empty()) messages_ += " / ";
    messages_ += OnOneLine(shown_title + ": " + shown_text);
    if (yes) messages_ += " " + std::string(texts_.no);
  }
  if (!yes) return MessageAnswer::kOk;
  return *yes ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace tavrimen::cli
