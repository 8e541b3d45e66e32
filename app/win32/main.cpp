// tavrimen.exe: the converter's window on Windows.
// windows.h must come before the other Windows headers.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
// clang-format on

#include <string>
#include <string_view>

#include "app/win32/form1.h"

namespace {

// "--version": the program's name and version on the standard output it was given, else on the
// console it was started from, else in a message box.
bool ShowVersion() {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  const bool asked = args != nullptr && count == 2 && std::wstring_view(args[1]) == L"--version";
  LocalFree(args);
  if (!asked) return false;
  const std::wstring version = L"tavrimen " TAVRIMEN_WIDE_VERSION L"\r\n";
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    out = GetStdHandle(STD_OUTPUT_HANDLE);
  }
  DWORD written = 0;
  const std::string narrow(version.begin(), version.end());  // ASCII
  if (out == nullptr || out == INVALID_HANDLE_VALUE ||
      !WriteFile(out, narrow.data(), static_cast<DWORD>(narrow.size()), &written, nullptr)) {
    MessageBoxW(nullptr, version.c_str(), L"tavrimen", MB_OK);
  }
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  if (ShowVersion()) return 0;
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
