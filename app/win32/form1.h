// The main window on Windows, written with the wide Win32 API: source and destination folder
// pickers, a status line, Execute and Exit. It starts at the layout table's size, which is also its
// smallest, and grows as the table says; a folder dropped on one side fills that side. It builds
// its controls from the core's layout table, gathers the two folder paths and shows what the
// conversion run tells it; the run, the start-up check and the drive and directory behaviour all
// live in the core.
//
// Form1 ties the parts together: the window and its message loop (form_window.h), the controls
// (controls.h), the resolution and font (resolution.h), the lists (directory_list.h,
// drive_list.h), drops (shell_drop.h), message boxes (message_box.h) and the wait cursor
// (wait_cursor.h).
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/folder_drop.h"
#include "app/win32/controls.h"
#include "app/win32/directory_list.h"
#include "app/win32/drive_list.h"
#include "app/win32/form_window.h"
#include "app/win32/owned.h"
#include "app/win32/resolution.h"
#include "app/win32/wait_cursor.h"
#include "app/window.h"
#include "platform/drive_table.h"

namespace tavrimen::win32 {

class Form1 : public Window, private MessageTarget {
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

  HWND handle() const { return window_.get(); }
  // The control of that name ("Text1", "Command1", "Dir2", ...).
  HWND Control(std::string_view name) const;
  const std::string& patdat_path() const { return patdat_path_; }
  // The window's drives and their current directories.
  const platform::DriveTable& drives() const { return drives_; }
  UINT dpi() const { return resolution_.dpi(); }

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
  using Handled = std::optional<LRESULT>;

  // The window's messages, through the table of handlers below.
  Handled OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  Handled OnCommand(WPARAM wparam, LPARAM lparam);
  Handled OnColourStatic(WPARAM wparam, LPARAM lparam);
  Handled OnColourButton(WPARAM wparam, LPARAM lparam);
  Handled OnMeasureItem(WPARAM wparam, LPARAM lparam);
  Handled OnDrawItem(WPARAM wparam, LPARAM lparam);
  Handled OnSetCursor(WPARAM wparam, LPARAM lparam);
  Handled OnActivate(WPARAM wparam, LPARAM lparam);
  Handled OnDpiChanged(WPARAM wparam, LPARAM lparam);
  Handled OnSize(WPARAM wparam, LPARAM lparam);
  Handled OnGetMinMaxInfo(WPARAM wparam, LPARAM lparam);
  Handled OnDropFiles(WPARAM wparam, LPARAM lparam);
  Handled OnClose(WPARAM wparam, LPARAM lparam);
  Handled OnDestroy(WPARAM wparam, LPARAM lparam);

  // The lists of both sides, over the controls, and what their changes do.
  void CreateLists();
  // The font and the list rows for `dpi` dots per inch.
  void SetResolution(UINT dpi);
  // Gives the controls the font and the list rows of the present resolution.
  void UseResolution();
  // Places every control for the window's present size.
  void PlaceControls();
  // What a control tells the window: a click, a choice of drive, a double-click on a folder.
  void Notified(std::string_view control, int notification);
  void DriveChange(DriveList& drive, DirectoryList& dir);
  void DirChange(const DirectoryList& dir, const char* text_box);

  // The drives and their current directories, for the window's whole life; each action works
  // through a file system of its own over them.
  platform::DriveTable drives_ = platform::DriveTable::FromEnvironment();
  Resolution resolution_;
  WaitCursor wait_cursor_;
  std::unique_ptr<Controls> controls_;
  std::unique_ptr<DriveList> drive1_, drive2_;
  std::unique_ptr<DirectoryList> dir1_, dir2_;
  DialogFocus focus_;  // the focus comes back to the control that had it, as in a dialog
  std::string patdat_path_;
  bool running_ = false;
  bool destroying_ = false;       // by the destructor, which posts no quit message
  bool close_requested_ = false;  // Exit or the close box during a run
  // Last, so that it goes first: the window and its controls are destroyed while the lists and
  // the font they use still live.
  OwnedWindow window_;
};

}  // namespace tavrimen::win32
