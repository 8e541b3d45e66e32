// Test support: a window that records, in order, everything the run does to it.
#pragma once

#include <string>
#include <vector>

#include "app/window.h"
#include "support/fake_message_boxes.h"

namespace tavrimen::testing {

class FakeWindow : public Window {
 public:
  FakeWindow(std::string destination, std::string source)
      : text1(std::move(destination)), text2(std::move(source)) {}

  // The texts are taken as drive form, as typed.
  platform::ResolvedPath Text(TextBox box) const override {
    return platform::ResolvedPath::Of(
        platform::DriveFormPath(box == TextBox::kText1 ? text1 : text2));
  }
  void SetLabel3(std::string_view text) override {
    label3 = text;
    events.push_back("label:" + label3);
  }
  void ProcessEventsOnce() override { events.push_back("events"); }
  void FocusAndSelectAll(TextBox box) override {
    events.push_back(box == TextBox::kText1 ? "focus:Text1" : "focus:Text2");
  }
  void SetPointer(Pointer shape) override {
    pointer = shape;
    events.push_back(shape == Pointer::kHourglass ? "pointer:hourglass" : "pointer:default");
  }
  MessageAnswer ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                            std::string_view title) override {
    events.push_back("message:" + std::string(title) + "|" + std::string(text));
    return boxes.ShowMessage(text, icon, buttons, title);
  }

  std::string text1;
  std::string text2;
  std::string label3;
  Pointer pointer = Pointer::kDefault;
  FakeMessageBoxes boxes;
  std::vector<std::string> events;
};

}  // namespace tavrimen::testing
