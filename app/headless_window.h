// A window without a screen: the two folders, resolved where they were typed, and nothing to
// repaint, focus or point at. What a message box does is left to the subclass.
#pragma once

#include <string>

#include "app/window.h"

namespace tavrimen {

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(platform::ResolvedPath destination, platform::ResolvedPath source)
      : destination_(std::move(destination)), source_(std::move(source)) {}
  HeadlessWindow(platform::DriveFormPath destination, platform::DriveFormPath source)
      : HeadlessWindow(platform::ResolvedPath::Of(std::move(destination)),
                       platform::ResolvedPath::Of(std::move(source))) {}

  platform::ResolvedPath Text(TextBox box) const override {
    return box == TextBox::kText1 ? destination_ : source_;
  }
  void SetLabel3(std::string_view) override {}
  void ProcessEventsOnce() override {}
  void FocusAndSelectAll(TextBox) override {}
  void SetPointer(Pointer) override {}

 private:
  platform::ResolvedPath destination_;
  platform::ResolvedPath source_;
};

}  // namespace tavrimen
