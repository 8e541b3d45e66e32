// The window's resolution: its dots per inch, the window font made for them, and the window's
// outer size at them.
#pragma once

#include <windows.h>

#include "app/win32/owned.h"

namespace tavrimen::win32 {

class Resolution {
 public:
  // The dots per inch `window` shows at now.
  static UINT DpiOf(HWND window);

  UINT dpi() const { return dpi_; }
  HFONT font() const { return font_.get(); }

  // Moves to `dpi`, with a font made for it. The font before (none the first time) comes back, for
  // the caller to keep until no control uses it.
  OwnedFont Change(UINT dpi);

  // The outer size, frame included, of the main window whose client area is the layout table's.
  SIZE InitialOuterSize() const;

 private:
  UINT dpi_ = 96;  // until the window's is known
  OwnedFont font_;
};

}  // namespace tavrimen::win32
