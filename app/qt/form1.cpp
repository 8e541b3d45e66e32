#include "app/qt/form1.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QUrl>

#include "app/conversion_run.h"
#include "app/folder_lists.h"
#include "app/form_layout.h"
#include "app/start_up.h"
#include "platform/disk_file_system.h"
#include "platform/native_paths.h"
#include "platform/paths.h"

namespace tavrimen::gui {
namespace {

const QColor kGrey(QRgb{kLightGrey});

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void PaintLightGrey(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, kGrey);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QWidget* Make(const ControlSpec& control, QWidget* parent, platform::DriveTable& drives) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::kPanel:
      widget = new QWidget(parent);
      break;
    case ControlKind::kFrame:
      widget = new QGroupBox(Q(control.caption), parent);
      break;
    case ControlKind::kLabel:
      widget = new QLabel(Q(control.caption), parent);
      break;
    case ControlKind::kTextBox:
      widget = new QLineEdit(parent);
      break;
    case ControlKind::kButton:
      widget = new QPushButton(Q(control.caption), parent);
      break;
    case ControlKind::kDriveList:
      widget = new DriveList(drives.Drives(), parent);
      break;
    case ControlKind::kDirectoryList:
      widget = new DirectoryList(drives, parent);
      break;
  }
  widget->setObjectName(Q(control.name));
  return widget;
}

// The screen's logical resolution, dots per inch across and down.
QPointF Dpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {96.0, 96.0};
  return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

// Twips (1/1440 inch) to pixels at the screen's logical resolution.
QRect Pixels(const TwipsRect& twips) {
  const QPointF dpi = Dpi();
  return QRect(TwipsToPixels(twips.left, dpi.x()), TwipsToPixels(twips.top, dpi.y()),
               TwipsToPixels(twips.width, dpi.x()), TwipsToPixels(twips.height, dpi.y()));
}

// A frame's caption takes more room in this toolkit's styles than the table allows for: a
// control that would reach over the frame's top edge moves below it, and ends where the frame's
// inside ends when its text still fits there.
void KeepBelowCaption(QWidget* control, const QGroupBox* frame) {
  QRect rect = control->geometry();
  const QRect inside = frame->contentsRect();
  if (rect.top() >= inside.top()) return;
  rect.moveTop(inside.top());
  if (rect.bottom() > inside.bottom() &&
      inside.bottom() - rect.top() + 1 >= control->fontMetrics().height()) {
    rect.setBottom(inside.bottom());
  }
  control->setGeometry(rect);
}

// The native paths of the local files a drop carries.
std::vector<std::filesystem::path> DroppedPaths(const QMimeData* data) {
  std::vector<std::filesystem::path> natives;
  for (const QUrl& url : data->urls()) {
    natives.push_back(platform::Utf8Path(url.toLocalFile().toStdString()));
  }
  return natives;
}

// A drive list and its directory list, as the core's drive change drives them.
class QtDriveAndDirectory : public DriveAndDirectory {
 public:
  QtDriveAndDirectory(DriveList* drive, DirectoryList* dir) : drive_(drive), dir_(dir) {}
  char ChosenDrive() const override { return drive_->drive(); }
  int DriveIndex() const override { return drive_->currentIndex(); }
  void SetDriveIndex(int index) override { drive_->setCurrentIndex(index); }
  bool ShowFolder(const std::string& path) override { return dir_->setPath(Q(path)); }

 private:
  DriveList* drive_;
  DirectoryList* dir_;
};

// Shows a modal box and waits for the answer.
MessageAnswer ShowMessageBox(QWidget* parent, std::string_view text, MessageIcon icon,
                             MessageButtons buttons, std::string_view title) {
  QMessageBox box(parent);
  box.setObjectName("MessageBox");
  box.setWindowTitle(Q(title));
  box.setText(Q(text));
  switch (icon) {
    case MessageIcon::kNone:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case MessageIcon::kExclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageIcon::kInformation:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageIcon::kQuestion:
      box.setIcon(QMessageBox::Question);
      break;
  }
  if (buttons == MessageButtons::kYesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.button(QMessageBox::Yes)->setText("はい(&Y)");
    box.button(QMessageBox::No)->setText("いいえ(&N)");
    box.setDefaultButton(QMessageBox::Yes);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  const int answer = box.exec();
  if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
  return answer == QMessageBox::Yes ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace

QFont WindowFont() {
  QFont font;
  font.setWeight(QFont::Normal);
  if (QFontDatabase::families(QFontDatabase::Japanese).contains("System")) {
    font.setFamily("System");
    font.setPointSizeF(kSystemFontPoints);
    return font;
  }
  QStringList families;
  for (std::string_view family : kJapaneseUiFonts) families << Q(family);
  font.setFamilies(families);
  font.setPointSizeF(kOutlineFontPoints);
  return font;
}

Form1::Form1(QWidget* parent) : QWidget(parent) {
  setObjectName("Form1");
  setWindowTitle(Q(kWindowCaption));
  const QSize initial = Pixels({0, 0, kClientWidthTwips, kClientHeightTwips}).size();
  setMinimumSize(initial);
  resize(initial);
  // Folders dropped anywhere on a side land here: no control takes a drop itself.
  setAcceptDrops(true);

  for (const ControlSpec& control : kForm1Controls) {
    QWidget* container =
        control.container == "Form1" ? this : findChild<QWidget*>(Q(control.container));
    QWidget* widget = Make(control, container, drives_);
    widget->setAcceptDrops(false);
    if (control.kind == ControlKind::kPanel || control.kind == ControlKind::kFrame ||
        control.kind == ControlKind::kLabel) {
      PaintLightGrey(widget);
    }
  }
  label3_ = findChild<QLabel*>("Label3");
  text2_ = findChild<QLineEdit*>("Text2");
  text1_ = findChild<QLineEdit*>("Text1");
  command2_ = findChild<QPushButton*>("Command2");
  command1_ = findChild<QPushButton*>("Command1");
  drive2_ = findChild<DriveList*>("Drive2");
  dir2_ = findChild<DirectoryList*>("Dir2");
  drive1_ = findChild<DriveList*>("Drive1");
  dir1_ = findChild<DirectoryList*>("Dir1");
  LayOut();
  // Enter presses the focused button, as Space does.
  command1_->setAutoDefault(true);
  command2_->setAutoDefault(true);

  // The order of the tab key, as the controls' tab indices give it.
  const std::vector<const ControlSpec*> tab_order = TabOrder();
  for (std::size_t i = 1; i < tab_order.size(); ++i) {
    QWidget::setTabOrder(findChild<QWidget*>(Q(tab_order[i - 1]->name)),
                         findChild<QWidget*>(Q(tab_order[i]->name)));
  }
  // The labels reach a few pixels into the text boxes; the boxes stay on top, as they always have.
  text1_->raise();
  text2_->raise();

  // Both lists start at the current directory.
  platform::DiskFileSystem files(drives_);
  const QString start = Q(StartingFolder(files));
  drive1_->setDrive(drives_.CurrentDrive());
  drive2_->setDrive(drives_.CurrentDrive());
  dir1_->setPath(start);
  dir2_->setPath(start);

  connect(command1_, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
  connect(drive2_, &QComboBox::currentIndexChanged, this, [this] { DriveChange(drive2_, dir2_); });
  connect(drive1_, &QComboBox::currentIndexChanged, this, [this] { DriveChange(drive1_, dir1_); });
  connect(dir2_, &DirectoryList::pathChanged, this, [this] { DirChange(dir2_, text2_); });
  connect(dir1_, &DirectoryList::pathChanged, this, [this] { DirChange(dir1_, text1_); });
}

void Form1::LayOut() {
  const QPointF dpi = Dpi();
  const int client_width = PixelsToTwips(width(), dpi.x());
  const int client_height = PixelsToTwips(height(), dpi.y());
  for (const ControlSpec& control : kForm1Controls) {
    auto* widget = findChild<QWidget*>(Q(control.name));
    widget->setGeometry(Pixels(LaidOut(control, client_width, client_height)));
    if (auto* frame = qobject_cast<QGroupBox*>(widget->parentWidget())) {
      KeepBelowCaption(widget, frame);
    }
  }
}

void Form1::Centre() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    move(CentredOrigin(area.x(), area.width(), outer.width()),
         CentredOrigin(area.y(), area.height(), outer.height()));
  }
}

bool Form1::Form_Load() {
  Centre();
  platform::DiskFileSystem files(drives_);
  auto patdat = LoadPatternFolder(files, *this);
  if (!patdat) return false;
  patdat_path_ = *patdat;
  text2_->setText(Q(platform::ShownPath(drives_, dir2_->path().toStdString())));
  text1_->setText(Q(platform::ShownPath(drives_, dir1_->path().toStdString())));
  dir1_->setFocus(Qt::OtherFocusReason);  // the first control in the tab order
  return true;
}

void Form1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

bool Form1::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  const QEvent::Type type = event->type();
  // Every control shows its focus, however it came there: the styles show it only once the tab
  // key has moved it, and showing the window forgets that it has.
  if (type == QEvent::Show || type == QEvent::WindowActivate) {
    setAttribute(Qt::WA_KeyboardFocusChange);
  }
  // The window manager puts its frame round the window some time after it is shown.
  if (awaiting_frame_ && (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) &&
      frameGeometry().size() != size()) {
    awaiting_frame_ = false;
    Centre();
  }
  return handled;
}

std::optional<Side> Form1::SideAt(const QPoint& point) const {
  for (QWidget* widget = childAt(point); widget != nullptr && widget != this;
       widget = widget->parentWidget()) {
    const std::string name = widget->objectName().toStdString();
    for (const ControlSpec& control : kForm1Controls) {
      if (control.name == name) return SideOf(name);
    }
  }
  return std::nullopt;
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && SideAt(event->position().toPoint())) {
    event->acceptProposedAction();
  }
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasUrls() && SideAt(event->position().toPoint())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void Form1::dropEvent(QDropEvent* event) {
  const auto side = SideAt(event->position().toPoint());
  if (!side || !event->mimeData()->hasUrls()) return;
  event->acceptProposedAction();
  DropFolders(*side, DroppedPaths(event->mimeData()));
}

void Form1::DropFolders(Side side, const std::vector<std::filesystem::path>& natives) {
  platform::DiskFileSystem files(drives_);
  const FolderDrop drop = DroppedFolder(files, natives);
  if (!drop.refusal.empty()) {
    ShowMessage(drop.refusal, MessageIcon::kExclamation, MessageButtons::kOk, kAppTitle);
    return;
  }
  const bool source = side == Side::kSource;
  DriveList* drive = source ? drive2_ : drive1_;
  {
    // The drive list follows the folder without a drive change of its own.
    const QSignalBlocker quiet(drive);
    drive->setDrive(drop.folder.front());
  }
  (source ? dir2_ : dir1_)->setPath(Q(drop.folder));
  (source ? text2_ : text1_)->setText(Q(platform::ShownPath(drives_, drop.folder)));
}

void Form1::DriveChange(DriveList* drive, DirectoryList* dir) {
  QtDriveAndDirectory lists(drive, dir);
  platform::DiskFileSystem files(drives_);
  tavrimen::DriveChange(files, drives_, lists);
}

void Form1::DirChange(DirectoryList* dir, QLineEdit* text) {
  text->setText(Q(platform::ShownPath(drives_, dir->path().toStdString())));
  platform::DiskFileSystem files(drives_);
  tavrimen::DirChange(files, drives_, dir->path().toStdString());
}

void Form1::Command1_Click() {
  // Events are processed once during a run; a click that arrives then is not a second run.
  if (running_) return;
  running_ = true;
  platform::DiskFileSystem files(drives_);
  tavrimen::Command1_Click(*this, files, patdat_path_);
  running_ = false;
}

void Form1::Command2_Click() { close(); }

platform::ResolvedPath Form1::Text(TextBox box) const {
  const std::string typed = (box == TextBox::kText1 ? text1_ : text2_)->text().toStdString();
  return platform::ResolveTyped(drives_, {typed});
}

void Form1::SetLabel3(std::string_view text) { label3_->setText(Q(text)); }

void Form1::ProcessEventsOnce() { QCoreApplication::processEvents(); }

void Form1::FocusAndSelectAll(TextBox box) {
  QLineEdit* text = box == TextBox::kText1 ? text1_ : text2_;
  text->setFocus(Qt::OtherFocusReason);
  text->selectAll();
}

void Form1::SetPointer(Pointer pointer) {
  const bool hourglass = pointer == Pointer::kHourglass;
  if (hourglass == hourglass_) return;
  hourglass_ = hourglass;
  // The pointer of this window only: a message box shown during the run keeps the arrow.
  if (hourglass) {
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
  }
}

MessageAnswer Form1::ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                                 std::string_view title) {
  // Before the window shows (at start-up), a box has no owner.
  return ShowMessageBox(isVisible() ? this : nullptr, text, icon, buttons, title);
}

std::string Form1::PathAsShown(std::string_view drive_form) const {
  return platform::ShownPath(drives_, drive_form);
}

}  // namespace tavrimen::gui
