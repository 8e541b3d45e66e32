#include "app/win32/wait_cursor.h"

namespace tavrimen::win32 {

void WaitCursor::Show(HWND window, bool hourglass) {
  hourglass_ = hourglass;
  POINT at;
  GetCursorPos(&at);
  HWND under = WindowFromPoint(at);
  if (under == window || IsChild(window, under)) {
    SetCursor(LoadCursorW(nullptr, hourglass_ ? IDC_WAIT : IDC_ARROW));
  }
}

bool WaitCursor::OnSetCursor() const {
  if (hourglass_) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  return hourglass_;
}

}  // namespace tavrimen::win32
