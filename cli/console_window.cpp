#include "cli/console_window.h"

#ifndef _WIN32
#include <poll.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <iostream>

#include "app/messages.h"
#include "cli/interrupt.h"
#include "platform/native_paths.h"
#include "platform/terminal.h"

namespace tavrimen::cli {

namespace {

// A line read from standard input; nothing at its end, or when an interrupt came while waiting.
// The input is polled, since the signal may reach another thread than the one that waits.
std::optional<std::string> ReadReply() {
#ifdef _WIN32
  std::string reply;
  if (!std::getline(std::cin, reply) || InterruptSignal() != 0) return std::nullopt;
  return reply;
#else
  std::string reply;
  while (InterruptSignal() == 0) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 100) <= 0) continue;
    char c;
    const ssize_t n = read(STDIN_FILENO, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return reply.empty() ? std::nullopt : std::optional(reply);
    if (c == '\n') return reply;
    reply += c;
  }
  return std::nullopt;
#endif
}

}  // namespace

bool AskYesNoOnTerminal(std::string_view title, std::string_view question, std::string_view folder,
                        const CliTexts& texts, std::ostream& err) {
  err << Fill(texts.folder_to_create, {folder}) << "\n" << title << ": " << question;
  if (!platform::StdinIsTerminal()) {
    err << " " << texts.no << "\n" << kProgramName << ": " << texts.yes_hint << std::endl;
    return false;
  }
  err << " [y/N] " << std::flush;
  const std::optional<std::string> reply = ReadReply();
  if (!reply) {
    err << std::endl;
    return false;
  }
  return !reply->empty() && ((*reply)[0] == 'y' || (*reply)[0] == 'Y');
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
  if (text != kConvertedText) {
    err_ << text << std::endl;
    return;
  }
  // The window's text, then where the record file went, on a line of its own.
  out_ << text << "\n" << record_file_ << std::endl;
}

std::string ConsoleWindow::PathAsShown(std::string_view drive_form) const {
  return platform::ShownPath(drives_, drive_form);
}

void ConsoleWindow::RecordFileWritten(std::string_view path, std::string_view bytes) {
  record_file_ = platform::ShownPath(drives_, path);
  if (pictures_ != nullptr) pictures_->Draw(path, bytes, *files_);
}

MessageAnswer ConsoleWindow::ShowMessage(std::string_view text, MessageIcon, MessageButtons buttons,
                                         std::string_view title) {
  const std::string shown_title(title);
  const std::string shown_text(text);
  std::optional<bool> yes;
  if (buttons == MessageButtons::kYesNo) {
    if (answer_) {
      err_ << shown_title << ": " << shown_text << " " << (*answer_ ? texts_.yes : texts_.no)
           << std::endl;
      yes = answer_;
    } else {
      yes = AskYesNoOnTerminal(shown_title, shown_text,
                               platform::ShownPath(drives_, Text(TextBox::kText1).RunText()),
                               texts_, err_);
    }
  } else {
    err_ << shown_title << ": " << shown_text << std::endl;
  }
  if (!yes || !*yes) {
    if (!messages_.empty()) messages_ += " / ";
    messages_ += OnOneLine(shown_text);
    if (yes) messages_ += " " + std::string(texts_.no);
  }
  if (!yes) return MessageAnswer::kOk;
  return *yes ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace tavrimen::cli
