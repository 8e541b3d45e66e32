// The wait cursor of the window: the hourglass over the window while a run works, the arrow
// otherwise.
#pragma once

#include <windows.h>

namespace tavrimen::win32 {

class WaitCursor {
 public:
  // Shows the hourglass over `window`, or stops showing it. The change is seen at once, not at
  // the next mouse move: a run does not process events.
  void Show(HWND window, bool hourglass);
  // WM_SETCURSOR: sets the hourglass and answers true while it shows; false for the default
  // cursor.
  bool OnSetCursor() const;

 private:
  bool hourglass_ = false;
};

}  // namespace tavrimen::win32
