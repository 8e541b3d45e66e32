#include "app/win32/form_window.h"

#include "app/win32/wide.h"

namespace tavrimen::win32 {
namespace {

constexpr const wchar_t* kFormClass = L"TavrimenForm1";
constexpr UINT kEndOfPass = WM_APP + 1;

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* target = reinterpret_cast<MessageTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (target == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (const auto answer = target->OnMessage(message, wparam, lparam)) return *answer;
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    // What the controls tell their parent goes on to the window.
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetParent(window), message, wparam, lparam);
    case WM_SETCURSOR:
      if (SendMessageW(GetParent(window), message, wparam, lparam)) return TRUE;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXW form = {};
  form.cbSize = sizeof form;
  if (GetClassInfoExW(instance, kFormClass, &form)) return;
  form.lpfnWndProc = FormProc;
  form.hInstance = instance;
  form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  form.hbrBackground = GreyBrush();
  form.lpszClassName = kFormClass;
  RegisterClassExW(&form);
  WNDCLASSEXW panel = form;
  panel.lpfnWndProc = PanelProc;
  panel.hIcon = nullptr;
  panel.lpszClassName = kPanelClass;
  RegisterClassExW(&panel);
}

}  // namespace

HBRUSH GreyBrush() {
  static const OwnedBrush brush(CreateSolidBrush(kGrey));
  return brush.get();
}

OwnedWindow CreateFormWindow(HINSTANCE instance, std::string_view caption, MessageTarget& target) {
  RegisterClasses(instance);
  return OwnedWindow(CreateWindowExW(0, kFormClass, Wide(caption).c_str(), kFormStyle,
                                     CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance,
                                     &target));
}

void DialogFocus::OnActivate(HWND dialog, WPARAM wparam, HWND first) {
  if (LOWORD(wparam) == WA_INACTIVE) {
    kept_ = GetFocus();
  } else {
    SetFocus(kept_ != nullptr && IsChild(dialog, kept_) ? kept_ : first);
  }
}

void DispatchDialogMessage(HWND dialog, MSG& message) {
  if (IsDialogMessageW(dialog, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void DispatchPendingOnce(HWND dialog) {
  PostMessageW(dialog, kEndOfPass, 0, 0);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (message.hwnd == dialog && message.message == kEndOfPass) break;
    DispatchDialogMessage(dialog, message);
  }
}

}  // namespace tavrimen::win32
