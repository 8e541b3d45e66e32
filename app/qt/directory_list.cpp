#include "app/qt/directory_list.h"

#include <QDir>
#include <QKeyEvent>
#include <QStyle>

#include "platform/drives.h"
#include "platform/paths.h"

namespace tavrimen::gui {
namespace {

constexpr int kPathRole = Qt::UserRole;

// "C:\A\B" -> {"C:\", "C:\A", "C:\A\B"}
QStringList AncestorsAndSelf(const QString& path) {
  QStringList parts = path.split('\\', Qt::SkipEmptyParts);
  QStringList chain;
  QString prefix;
  for (int i = 0; i < parts.size(); ++i) {
    prefix = i == 0 ? parts[0] + "\\" : (i == 1 ? prefix + parts[i] : prefix + "\\" + parts[i]);
    chain << prefix;
  }
  return chain;
}

std::optional<QString> ReadableNativeFolder(const QString& drive_form_path) {
  auto native = platform::ToNative(drive_form_path.toStdString());
  if (!native) return std::nullopt;
  QDir dir(QString::fromStdString(platform::Utf8String(*native)));
  if (!dir.exists() || !dir.isReadable()) return std::nullopt;
  return dir.absolutePath();
}

}  // namespace

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { openRow(row(item)); });
}

bool DirectoryList::setPath(const QString& drive_form_path) {
  if (!ReadableNativeFolder(drive_form_path)) return false;
  const bool changed = drive_form_path != path_;
  path_ = drive_form_path;
  fill();
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

void DirectoryList::fill() {
  clear();
  const QIcon open_icon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed_icon = style()->standardIcon(QStyle::SP_DirClosedIcon);
  const QStringList chain = AncestorsAndSelf(path_);
  int level = 0;
  for (const QString& ancestor : chain) {
    const QString name = level == 0 ? ancestor : ancestor.section('\\', -1);
    auto* entry = new QListWidgetItem(open_icon, QString(level * 2, ' ') + name, this);
    entry->setData(kPathRole, ancestor);
    ++level;
  }
  setCurrentRow(count() - 1);
  auto native = ReadableNativeFolder(path_);
  if (!native) return;
  QDir dir(*native);
  const QStringList subfolders =
      dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  const QString base = path_.endsWith('\\') ? path_ : path_ + "\\";
  for (const QString& name : subfolders) {
    auto* entry = new QListWidgetItem(closed_icon, QString(level * 2, ' ') + name, this);
    entry->setData(kPathRole, base + name);
  }
}

}  // namespace tavrimen::gui
