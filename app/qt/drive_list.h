// A drive list: the drives of the platform layer, one entry a drive ("c: [/home/me/borings]").
#pragma once

#include <QComboBox>

namespace tavrimen::gui {

class DriveList : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveList(QWidget* parent = nullptr);

  // The drive letter of the current entry.
  char drive() const;
  // Makes the entry of `letter` current (without firing a change when it already is).
  void setDrive(char letter);
};

}  // namespace tavrimen::gui
