// A drive list: the drives of a drive table, one entry a drive ("/", "/media/usb").
#pragma once

#include <QComboBox>
#include <vector>

#include "platform/drive_table.h"

namespace tavrimen::gui {

class DriveList : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveList(const std::vector<platform::Drive>& drives, QWidget* parent = nullptr);

  // The drive letter of the current entry.
  char drive() const;
  // Makes the entry of `letter` current (without firing a change when it already is).
  void setDrive(char letter);
};

}  // namespace tavrimen::gui
