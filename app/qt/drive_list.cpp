#include "app/qt/drive_list.h"

#include <cctype>

#include "app/folder_lists.h"

namespace tavrimen::gui {

DriveList::DriveList(const std::vector<platform::Drive>& drives, QWidget* parent)
    : QComboBox(parent) {
  for (const platform::Drive& drive : drives) {
    addItem(QString::fromStdString(DriveCaption(drive)), QChar(drive.letter));
  }
}

char DriveList::drive() const { return currentData().toChar().toLatin1(); }

void DriveList::setDrive(char letter) {
  const int index =
      findData(QChar(static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))));
  if (index >= 0) setCurrentIndex(index);
}

}  // namespace tavrimen::gui
