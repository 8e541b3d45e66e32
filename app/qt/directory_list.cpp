#include "app/qt/directory_list.h"

#include <QKeyEvent>
#include <QStyle>

#include "app/folder_lists.h"
#include "platform/disk_file_system.h"

namespace tavrimen::gui {
namespace {

constexpr int kPathRole = Qt::UserRole;

}  // namespace

DirectoryList::DirectoryList(platform::DriveTable& drives, QWidget* parent)
    : QListWidget(parent), drives_(drives) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { openRow(row(item)); });
}

bool DirectoryList::setPath(const QString& drive_form_path) {
  platform::DiskFileSystem files(drives_);
  auto entries = DirectoryEntries(files, drive_form_path.toStdString());
  if (!entries) return false;
  const bool changed = drive_form_path != path_;
  path_ = drive_form_path;
  fill(*entries);
  if (changed) emit pathChanged(path_);
  return true;
}

void DirectoryList::openRow(int row_index) {
  QListWidgetItem* entry = item(row_index);
  if (entry == nullptr) return;
  setPath(entry->data(kPathRole).toString());
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
    openRow(currentRow());
    return;
  }
  QListWidget::keyPressEvent(event);
}

void DirectoryList::fill(const std::vector<DirectoryEntry>& entries) {
  clear();
  const QIcon open_icon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed_icon = style()->standardIcon(QStyle::SP_DirClosedIcon);
  for (const DirectoryEntry& entry : entries) {
    auto* item = new QListWidgetItem(
        entry.open ? open_icon : closed_icon,
        QString(entry.level * 2, ' ') + QString::fromStdString(entry.name), this);
    item->setData(kPathRole, QString::fromStdString(entry.path));
  }
  setCurrentRow(static_cast<int>(ShownFolderRow(entries)));
}

}  // namespace tavrimen::gui
