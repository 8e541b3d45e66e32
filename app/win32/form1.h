// The main window on Windows, written with the wide Win32 API: source and destination folder
// pickers, a status line, Execute and Exit. It starts at the layout table's size, which is also its
// smallest, and grows as the table says; a folder dropped on one side fills that side. It builds
// its controls from the core's layout table, gathers the two folder paths and shows what the
// conversion run tells it; the run, the start-up check and the drive and directory behaviour all
// live in the core.
#pragma once

#include <windows.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/folder_drop.h"
#include "app/win32/folder_lists.h"
#include "app/window.h"
#include "platform/drive_table.h"

namespace tavrimen::win32 {

class Form1 : public Window {
 public:
  // Creates the window and its controls, hidden; both directory lists show the current folder.
  explicit Form1(HINSTANCE instance);
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Start-up, before the window is shown: centres the window, reads the pattern-data folder
  // setting and fills both folder boxes with the current directory. False, after the message,
  // when the setting is missing or names no folder: the program must then end.
  bool Form_Load();
  // Shows the window with the focus on the first control of the tab order.
  void Show(int show_command);

  // Takes folders dropped on one side, as a drop from the file manager does: one folder fills the
  // side's text box and directory list; anything else is refused with a message.
  void DropFolders(Side side, const std::vector<std::filesystem::path>& natives);

  HWND handle() const { return window_; }
  // The control of that name ("Text1", "Command1", "Dir2", ...).
  HWND Control(std::string_view name) const;
  const std::string& patdat_path() const { return patdat_path_; }
  // The window's drives and their current directories.
  const platform::DriveTable& drives() const { return drives_; }
  UINT dpi() const { return dpi_; }

  // Dispatches a message of the loop, with the keyboard handling of a dialog (Tab, arrow keys).
  bool PreTranslate(MSG& message);

  // Window interface of the conversion run.
  platform::ResolvedPath Text(TextBox box) const override;
  void SetLabel3(std::string_view text) override;
  void ProcessEventsOnce() override;
  void FocusAndSelectAll(TextBox box) override;
  void SetPointer(Pointer pointer) override;
  MessageAnswer ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                            std::string_view title) override;

  void Command1_Click();
  void Command2_Click();

 private:
  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void CreateControls(HINSTANCE instance);
  // The font and the list rows for `dpi` dots per inch.
  void SetResolution(UINT dpi);
  // Places every control for the window's present size.
  void PlaceControls();
  // The side of the control under a point of the client area, if any.
  std::optional<Side> SideAt(POINT at) const;
  void OnCommand(int id, int notification);
  void DriveChange(DriveList& drive, DirectoryList& dir);

  // The drives and their current directories, for the window's whole life; each action works
  // through a file system of its own over them.
  platform::DriveTable drives_ = platform::DriveTable::FromEnvironment();
  HWND window_ = nullptr;
  HWND panel_ = nullptr;  // Picture1
  std::map<std::string, HWND, std::less<>> controls_;
  std::unique_ptr<DriveList> drive1_, drive2_;
  std::unique_ptr<DirectoryList> dir1_, dir2_;
  HFONT font_ = nullptr;
  HWND saved_focus_ = nullptr;
  UINT dpi_ = 96;
  std::string patdat_path_;
  bool hourglass_ = false;
  bool running_ = false;
  bool destroying_ = false;       // by the destructor, which posts no quit message
  bool close_requested_ = false;  // Exit or the close box during a run
};

}  // namespace tavrimen::win32
