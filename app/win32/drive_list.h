// The drive list of the Windows window: a drop-down list of the drives, and the two lists of one
// side of the window as the core's drive change uses them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/folder_lists.h"
#include "app/win32/directory_list.h"
#include "platform/drive_table.h"

namespace tavrimen::win32 {

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
