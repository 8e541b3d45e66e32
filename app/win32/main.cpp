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
#include "app/win32/owned.h"

namespace {

// "--version": the program's name and version on the standard output it was given, else on the
// console it was started from, else in a message box.
bool ShowVersion() {
  int count = 0;
  const tavrimen::win32::Owned<wchar_t**, LocalFree> args(
      CommandLineToArgvW(GetCommandLineW(), &count));
  if (args == nullptr || count != 2 || std::wstring_view(args.get()[1]) != L"--version") {
    return false;
  }
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

// The thread's COM apartment, for as long as the window runs: the shell gives the folder icons of
// the directory lists.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  if (ShowVersion()) return 0;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const ComApartment com;
  tavrimen::win32::Form1 form(instance);
  if (!form.Form_Load()) return 1;
  form.Show(show_command);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) form.PreTranslate(message);
  return static_cast<int>(message.wParam);
}
