// The directory list of the Windows window: an owner-drawn list box that shows a folder as the
// classic directory list does (open folders from the drive root down, the subfolders below). What
// it shows and does comes from the core.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/folder_lists.h"
#include "app/win32/owned.h"
#include "platform/drive_table.h"

namespace tavrimen::win32 {

class DirectoryList {
 public:
  // `list_box` is an owner-drawn list box (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY);
  // `changed` runs when the list moves to another folder. Paths are resolved with `drives`,
  // which must outlive the list.
  DirectoryList(HWND list_box, platform::DriveTable& drives, std::function<void()> changed);
  ~DirectoryList();
  DirectoryList(const DirectoryList&) = delete;
  DirectoryList& operator=(const DirectoryList&) = delete;

  // The height of a row at `dpi` before the list has a font (WM_MEASUREITEM, when the list box
  // is created).
  static UINT FirstRowHeight(UINT dpi) { return static_cast<UINT>(MulDiv(20, dpi, 96)); }

  HWND handle() const { return list_box_; }
  // The shown folder in drive form ("C:\DATA", "C:\" for a root).
  const std::string& path() const { return path_; }

  // Shows a folder. False, with nothing changed, when it cannot be read; runs `changed` when the
  // folder differs from the one shown.
  bool SetPath(const std::string& drive_form_path);
  // Opens the entry at `row`, as a double-click or Enter does.
  void OpenRow(int row);
  // Opens the selected entry.
  void OpenSelected();
  // Icon size and row height for the window's resolution and font.
  void Resize(UINT dpi, HFONT font);
  // Scrolls so that the shown folder and as many of its subfolders as fit are in view, and lets
  // the list scroll sideways as far as its longest entry reaches.
  void ScrollToShownFolder();
  // WM_DRAWITEM for the list box.
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  // The indentation of one level at the list's present width: deep folders indent less, so that
  // their names keep room.
  int LevelIndentNow() const;

  static LRESULT CALLBACK KeyProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                  UINT_PTR id, DWORD_PTR self);

  HWND list_box_;
  platform::DriveTable& drives_;
  std::function<void()> changed_;
  std::string path_;
  std::vector<DirectoryEntry> entries_;
  OwnedIcon open_icon_;
  OwnedIcon closed_icon_;
  HFONT font_ = nullptr;  // the window's, which outlives the list's use of it
  int icon_size_ = 16;
  int indent_ = 8;
};

}  // namespace tavrimen::win32
