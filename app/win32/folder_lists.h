// The drive list and the directory list of the Windows window: a drop-down list of drives and an
// owner-drawn list box that shows a folder as the classic directory list does (open folders from
// the drive root down, the subfolders below). What they show and do comes from the core.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/folder_lists.h"
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

  HWND handle() const { return list_box_; }
  // The shown folder in drive form ("C:\DATA", "C:\" for a root).
  const std::string& path() const { return path_; }

  // Shows a folder. False, with nothing changed, when it cannot be read; runs `changed` when the
  // folder differs from the one shown.
  bool SetPath(const std::string& drive_form_path);
  // Opens the entry at `row`, as a double-click or Enter does.
  void OpenRow(int row);
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
  HICON open_icon_ = nullptr;
  HICON closed_icon_ = nullptr;
  HFONT font_ = nullptr;
  int icon_size_ = 16;
  int indent_ = 8;
};

class DriveList {
 public:
  // `combo_box` is a drop-down list; `changed` runs when another drive is chosen, by the user or
  // by SetIndex. It lists `drives`.
  DriveList(HWND combo_box, const std::vector<platform::Drive>& drives,
            std::function<void()> changed);

  HWND handle() const { return combo_box_; }
  char Drive() const;
  int Index() const;
  // Makes the entry current and runs `changed` when it was not.
  void SetIndex(int index);
  // Makes the entry of `letter` current without running `changed`.
  void SelectDrive(char letter);

 private:
  HWND combo_box_;
  std::function<void()> changed_;
  std::vector<char> letters_;
};

// The two lists of one side of the window, as the core's drive change uses them.
class Win32DriveAndDirectory : public DriveAndDirectory {
 public:
  Win32DriveAndDirectory(DriveList& drive, DirectoryList& dir) : drive_(drive), dir_(dir) {}
  char ChosenDrive() const override { return drive_.Drive(); }
  int DriveIndex() const override { return drive_.Index(); }
  void SetDriveIndex(int index) override { drive_.SetIndex(index); }
  bool ShowFolder(const std::string& path) override { return dir_.SetPath(path); }

 private:
  DriveList& drive_;
  DirectoryList& dir_;
};

}  // namespace tavrimen::win32
