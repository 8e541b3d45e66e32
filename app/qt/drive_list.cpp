#include "app/qt/drive_list.h"

#include <cctype>

#include "platform/drives.h"
#include "platform/paths.h"

namespace tavrimen::gui {

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  for (const platform::Drive& drive : platform::Drives()) {
    const QString letter = QString(QChar(drive.letter)).toLower();
    addItem(
        QString("%1: [%2]").arg(letter, QString::fromStdString(platform::Utf8String(drive.root))),
        QChar(drive.letter));
  }
}

char DriveList::drive() const { return currentData().toChar().toLatin1(); }

void DriveList::setDrive(char letter) {
  const int index =
      findData(QChar(static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))));
  if (index >= 0) setCurrentIndex(index);
}

}  // namespace tavrimen::gui
