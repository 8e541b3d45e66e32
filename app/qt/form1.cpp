#include "app/qt/form1.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "app/conversion_run.h"
#include "app/folder_lists.h"
#include "app/form_layout.h"
#include "app/start_up.h"
#include "platform/disk_file_system.h"

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

// Twips (1/1440 inch) to pixels at the screen's logical resolution.
QRect Pixels(const TwipsRect& twips) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi_x = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
  const double dpi_y = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
  return QRect(TwipsToPixels(twips.left, dpi_x), TwipsToPixels(twips.top, dpi_y),
               TwipsToPixels(twips.width, dpi_x), TwipsToPixels(twips.height, dpi_y));
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
  setFixedSize(Pixels({0, 0, kClientWidthTwips, kClientHeightTwips}).size());

  for (const ControlSpec& control : kForm1Controls) {
    QWidget* container =
        control.container == "Form1" ? this : findChild<QWidget*>(Q(control.container));
    QWidget* widget = Make(control, container, drives_);
    widget->setGeometry(Pixels(control.twips));
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

bool Form1::Form_Load() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(CentredOrigin(area.x(), area.width(), width()),
         CentredOrigin(area.y(), area.height(), height()));
  }
  platform::DiskFileSystem files(drives_);
  auto patdat = LoadPatternFolder(files, *this);
  if (!patdat) return false;
  patdat_path_ = *patdat;
  text2_->setText(dir2_->path());
  text1_->setText(dir1_->path());
  dir1_->setFocus(Qt::OtherFocusReason);  // the first control in the tab order
  return true;
}

void Form1::DriveChange(DriveList* drive, DirectoryList* dir) {
  QtDriveAndDirectory lists(drive, dir);
  platform::DiskFileSystem files(drives_);
  tavrimen::DriveChange(files, lists);
}

void Form1::DirChange(DirectoryList* dir, QLineEdit* text) {
  text->setText(dir->path());
  platform::DiskFileSystem files(drives_);
  tavrimen::DirChange(files, dir->path().toStdString());
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

std::string Form1::Text(TextBox box) const {
  return (box == TextBox::kText1 ? text1_ : text2_)->text().toStdString();
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

}  // namespace tavrimen::gui
