// A window without a screen: the two folder texts, and nothing to repaint, focus or point at.
// What a message box does is left to the subclass.
#pragma once

#include <string>

#include "app/window.h"

namespace tavrimen {

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(std::string destination, std::string source)
      : destination_(std::move(destination)), source_(std::move(source)) {}

  std::string Text(TextBox box) const override {
    return box == TextBox::kText1 ? destination_ : source_;
  }
  void SetLabel3(std::string_view) override {}
  void ProcessEventsOnce() override {}
  void FocusAndSelectAll(TextBox) override {}
  void SetPointer(Pointer) override {}

 private:
  std::string destination_;
  std::string source_;
};

}  // namespace tavrimen
