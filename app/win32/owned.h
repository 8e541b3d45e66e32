// Owners of Windows handles: each releases its handle with the function that fits it when it goes,
// so that no code path releases one by hand or forgets to.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tavrimen::win32 {

template <typename Handle, auto Release>
struct Releaser {
  void operator()(Handle handle) const { Release(handle); }
};

// A handle released by `Release` when its owner goes: Owned<HFONT, DeleteObject>,
// Owned<HICON, DestroyIcon>, Owned<HDROP, DragFinish>.
template <typename Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Releaser<Handle, Release>>;

using OwnedFont = Owned<HFONT, DeleteObject>;
using OwnedBrush = Owned<HBRUSH, DeleteObject>;
using OwnedIcon = Owned<HICON, DestroyIcon>;

// A top-level window, destroyed with its owner unless it has gone already (closed by the user).
inline void DestroyLiveWindow(HWND window) {
  if (IsWindow(window)) DestroyWindow(window);
}
using OwnedWindow = Owned<HWND, DestroyLiveWindow>;

// The device context of a window (of the screen for none), released when it goes.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  operator HDC() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context for as long as it lives; what was selected before
// comes back when it goes.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tavrimen::win32
