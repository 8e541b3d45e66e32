// tavrimen.exe: the converter's window on Windows.
// windows.h must come before the other Windows headers.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
// clang-format on

#include "app/win32/form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // The shell gives the folder icons of the directory lists.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int status = 1;
  {
    tavrimen::win32::Form1 form(instance);
    if (form.Form_Load()) {
      form.Show(show_command);
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) form.PreTranslate(message);
      status = static_cast<int>(message.wParam);
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return status;
}
