// What the conversion run needs of the main window. The Qt window, the command-line tool and the
// tests each implement it; the run itself is written once, against this.
#pragma once

#include <string>
#include <string_view>

#include "app/message_boxes.h"
#include "platform/native_paths.h"

namespace tavrimen {

// Text1 holds the destination folder, Text2 the source folder.
enum class TextBox { kText1, kText2 };

enum class Pointer { kDefault = 0, kHourglass = 11 };

class Window : public MessageBoxes {
 public:
  // The text box's path, resolved from its text as typed (platform::ResolveTyped).
  virtual platform::ResolvedPath Text(TextBox box) const = 0;
  // The status label Label3.
  virtual void SetLabel3(std::string_view text) = 0;
  // Lets the window process its pending events once, so that the label repaints.
  virtual void ProcessEventsOnce() = 0;
  // Gives the text box the focus and selects its whole text.
  virtual void FocusAndSelectAll(TextBox box) = 0;
  // The window's mouse pointer.
  virtual void SetPointer(Pointer pointer) = 0;
  // How the window names a drive-form path in its messages: as the user reads paths there.
  virtual std::string PathAsShown(std::string_view drive_form) const {
    return std::string(drive_form);
  }
  // The record file a run has just written: its drive-form path and its bytes. Windows that show
  // more than the status line (a picture of the boring) take them from here.
  virtual void RecordFileWritten(std::string_view /*path*/, std::string_view /*bytes*/) {}
};

}  // namespace tavrimen
