// Message boxes, as the window toolkit shows them. The Qt window, the command-line tool and the
// tests each implement this.
#pragma once

#include <string_view>

namespace tavrimen {

enum class MessageIcon { kNone, kExclamation, kInformation, kQuestion };
enum class MessageButtons { kOk, kYesNo };

// The answer of a message box, with the values the run compares against.
enum class MessageAnswer { kOk = 1, kYes = 6, kNo = 7 };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows `text` (UTF-8) and waits for the answer.
  virtual MessageAnswer ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                                    std::string_view title) = 0;
};

}  // namespace tavrimen
