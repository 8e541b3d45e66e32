// Test support: message boxes that record what they were asked to show and answer from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/message_boxes.h"

namespace tavrimen::testing {

struct ShownMessage {
  std::string text;
  MessageIcon icon;
  MessageButtons buttons;
  std::string title;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                            std::string_view title) override {
    shown.push_back({std::string(text), icon, buttons, std::string(title)});
    if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
    if (answers.empty()) return MessageAnswer::kNo;
    MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<ShownMessage> shown;
  std::deque<MessageAnswer> answers;  // for Yes/No questions; No when none is left
};

}  // namespace tavrimen::testing
