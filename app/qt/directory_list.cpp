#include "app/qt/directory_list.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

#include "app/folder_lists.h"
#include "platform/disk_file_system.h"
#include "platform/native_paths.h"

namespace tavrimen::gui {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;

// Draws an entry indented by its level.
class EntryDelegate : public QStyledItemDelegate {
 public:
  explicit EntryDelegate(DirectoryList* list) : QStyledItemDelegate(list), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem indented = option;
    indented.rect.setLeft(option.rect.left() +
                          index.data(kLevelRole).toInt() * list_->levelIndent());
    QStyledItemDelegate::paint(painter, indented, index);
  }

 private:
  DirectoryList* list_;
};

}  // namespace

DirectoryList::DirectoryList(platform::DriveTable& drives, QWidget* parent)
    : QListWidget(parent), drives_(drives) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setItemDelegate(new EntryDelegate(this));
  setTextElideMode(Qt::ElideRight);
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

int DirectoryList::levelIndent() const {
  int deepest = 0;
  for (const DirectoryEntry& entry : entries_) deepest = std::max(deepest, entry.level);
  return LevelIndent(fontMetrics().height() * 3 / 4, deepest, viewport()->width() / 2);
}

bool DirectoryList::event(QEvent* event) {
  const bool handled = QListWidget::event(event);
  // The list's own frame, round the entries, shows that the list has the focus.
  if (event->type() == QEvent::Paint && hasFocus()) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  return handled;
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
    openRow(currentRow());
    return;
  }
  QListWidget::keyPressEvent(event);
}

void DirectoryList::resizeEvent(QResizeEvent* event) {
  QListWidget::resizeEvent(event);
  scrollToShownFolder();
}

void DirectoryList::fill(const std::vector<DirectoryEntry>& entries) {
  entries_ = entries;
  clear();
  const QIcon open_icon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed_icon = style()->standardIcon(QStyle::SP_DirClosedIcon);
  for (const DirectoryEntry& entry : entries) {
    auto* item = new QListWidgetItem(entry.open ? open_icon : closed_icon,
                                     QString::fromStdString(entry.name), this);
    item->setData(kPathRole, QString::fromStdString(entry.path));
    item->setData(kLevelRole, entry.level);
    item->setToolTip(QString::fromStdString(platform::ShownPath(drives_, entry.path)));
  }
  setCurrentRow(static_cast<int>(ShownFolderRow(entries)));
  scrollToShownFolder();
}

void DirectoryList::scrollToShownFolder() {
  if (count() == 0) return;
  const int row_height = std::max(1, sizeHintForRow(0));
  const int visible = std::max(1, viewport()->height() / row_height);
  const auto first = FirstVisibleRow(entries_, static_cast<std::size_t>(visible));
  scrollToItem(item(static_cast<int>(first)), QAbstractItemView::PositionAtTop);
}

}  // namespace tavrimen::gui
