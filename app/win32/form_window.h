// The window classes of the main window and its panel, the window procedure that hands each
// message to its handler through a table, and the message loop with the keyboard handling of a
// dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string_view>

#include "app/form_layout.h"
#include "app/win32/owned.h"

namespace tavrimen::win32 {

inline constexpr const wchar_t* kPanelClass = L"TavrimenPicture1";
inline constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                    WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;

inline constexpr COLORREF kGrey =
    RGB((kLightGrey >> 16) & 0xFF, (kLightGrey >> 8) & 0xFF, kLightGrey & 0xFF);

// What a window's messages go to: the answer to one, or nothing for the default handling.
class MessageTarget {
 public:
  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;

 protected:
  ~MessageTarget() = default;
};

// One row of a message table: the member of `Owner` that handles `message`.
template <typename Owner>
struct Route {
  UINT message;
  std::optional<LRESULT> (Owner::*handle)(WPARAM wparam, LPARAM lparam);
};

// Hands a message to the handler its row of `table` names; nothing when no row names it.
template <typename Owner>
std::optional<LRESULT> Routed(Owner& owner, std::span<const Route<Owner>> table, UINT message,
                              WPARAM wparam, LPARAM lparam) {
  for (const Route<Owner>& route : table) {
    if (route.message == message) return (owner.*route.handle)(wparam, lparam);
  }
  return std::nullopt;
}

// The light grey brush of the window, its panel and what they hold, for as long as the process
// runs.
HBRUSH GreyBrush();

// Creates the main window, hidden, registering the classes of the window and its panel the first
// time; its messages go to `target` until it is destroyed.
OwnedWindow CreateFormWindow(HINSTANCE instance, std::string_view caption, MessageTarget& target);

// The focus of a window that behaves as a dialog: kept when the window is deactivated, given back
// when it is activated again.
class DialogFocus {
 public:
  // WM_ACTIVATE of `dialog`; `first` takes the focus when the kept control has gone.
  void OnActivate(HWND dialog, WPARAM wparam, HWND first);

 private:
  HWND kept_ = nullptr;
};

// Dispatches a message of the loop, with the keyboard handling of `dialog` (Tab, arrow keys).
void DispatchDialogMessage(HWND dialog, MSG& message);

// Dispatches what is waiting in the queue now, up to a marker posted to `dialog` behind it, not
// what handling it brings. A quit message stays for the loop.
void DispatchPendingOnce(HWND dialog);

}  // namespace tavrimen::win32
