#include "app/win32/message_box.h"

#include "app/win32/wide.h"

namespace tavrimen::win32 {

MessageAnswer ShowMessageBox(HWND window, std::string_view text, MessageIcon icon,
                             MessageButtons buttons, std::string_view title) {
  UINT style = buttons == MessageButtons::kYesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case MessageIcon::kNone:
      break;
    case MessageIcon::kExclamation:
      style |= MB_ICONEXCLAMATION;
      break;
    case MessageIcon::kInformation:
      style |= MB_ICONINFORMATION;
      break;
    case MessageIcon::kQuestion:
      style |= MB_ICONQUESTION;
      break;
  }
  HWND owner = IsWindowVisible(window) ? window : nullptr;
  if (owner == nullptr) style |= MB_SETFOREGROUND | MB_TASKMODAL;
  const int answer = MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), style);
  if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
  return answer == IDYES ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace tavrimen::win32
