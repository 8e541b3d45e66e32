// The message boxes of the window: the core's message, icon and buttons as a Windows message box.
#pragma once

#include <windows.h>

#include <string_view>

#include "app/message_boxes.h"

namespace tavrimen::win32 {

// Shows a message box and waits for the answer. It is owned by `window` once the window shows;
// before that (at start-up) it has no owner and comes to the front by itself.
MessageAnswer ShowMessageBox(HWND window, std::string_view text, MessageIcon icon,
                             MessageButtons buttons, std::string_view title);

}  // namespace tavrimen::win32
