// A directory list as the classic desktop toolkits have it: the current folder's ancestors from
// the drive root down, shown open and indented, then the current folder's subfolders. A
// double-click or Enter on an entry makes it the list's path and fires pathChanged; a single
// click only selects.
#pragma once

#include <QListWidget>
#include <QString>
#include <vector>

#include "platform/drive_table.h"

namespace tavrimen {
struct DirectoryEntry;
}

namespace tavrimen::gui {

class DirectoryList : public QListWidget {
  Q_OBJECT

 public:
  // Paths are resolved with `drives`, which must outlive the list.
  explicit DirectoryList(platform::DriveTable& drives, QWidget* parent = nullptr);

  // The list's folder in drive form ("C:\DATA", "C:\" for a root).
  QString path() const { return path_; }

  // Shows `drive_form_path`. False, with nothing changed, when the folder cannot be read. Fires
  // pathChanged when the path differs from the old one.
  bool setPath(const QString& drive_form_path);

  // Opens the entry at `row` as a double-click does.
  void openRow(int row);

 signals:
  void pathChanged(const QString& path);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void fill(const std::vector<DirectoryEntry>& entries);

  platform::DriveTable& drives_;
  QString path_;
};

}  // namespace tavrimen::gui
