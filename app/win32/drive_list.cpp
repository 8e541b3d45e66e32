#include "app/win32/drive_list.h"

#include "app/win32/wide.h"

namespace tavrimen::win32 {

DriveList::DriveList(HWND combo_box, const std::vector<platform::Drive>& drives,
                     std::function<void()> changed)
    : combo_box_(combo_box), changed_(std::move(changed)) {
  for (const platform::Drive& drive : drives) {
    SendMessageW(combo_box_, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Wide(DriveCaption(drive)).c_str()));
    letters_.push_back(drive.letter);
  }
}

char DriveList::Drive() const {
  const int index = Index();
  return index >= 0 && static_cast<std::size_t>(index) < letters_.size()
             ? letters_[static_cast<std::size_t>(index)]
             : '\0';
}

int DriveList::Index() const {
  return static_cast<int>(SendMessageW(combo_box_, CB_GETCURSEL, 0, 0));
}

void DriveList::SetIndex(int index) {
  if (index == Index()) return;
  SendMessageW(combo_box_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (changed_) changed_();
}

void DriveList::SelectDrive(char letter) {
  for (std::size_t i = 0; i < letters_.size(); ++i) {
    if (letters_[i] == letter) SendMessageW(combo_box_, CB_SETCURSEL, i, 0);
  }
}

}  // namespace tavrimen::win32
