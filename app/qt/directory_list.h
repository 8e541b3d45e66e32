// A directory list as the classic desktop toolkits have it: the current folder's ancestors from
// the drive root down, shown open and indented, then the current folder's subfolders. A
// double-click or Enter on an entry makes it the list's path and fires pathChanged; a single
// click only selects. Each entry's tooltip is its whole path; deep folders indent less, so that
// their names keep room, and the list scrolls so that the subfolders are in view.
#pragma once

#include <QListWidget>
#include <QString>
#include <vector>

#include "app/folder_lists.h"
#include "platform/drive_table.h"

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

  // The indentation of one level, in pixels, at the list's present width.
  int levelIndent() const;

 signals:
  void pathChanged(const QString& path);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fill(const std::vector<DirectoryEntry>& entries);
  // Scrolls so that the shown folder and as many of its subfolders as fit are in view.
  void scrollToShownFolder();

  platform::DriveTable& drives_;
  QString path_;
  std::vector<DirectoryEntry> entries_;
};

}  // namespace tavrimen::gui
