#include "app/qt/form1.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "app/conversion_run.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "reference/settings.h"

namespace tavrimen::gui {
namespace {

const QColor kLightGrey(0xC0, 0xC0, 0xC0);

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void PaintLightGrey(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, kLightGrey);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

template <typename Widget>
Widget* Make(QWidget* parent, const char* name) {
  auto* widget = new Widget(parent);
  widget->setObjectName(name);
  return widget;
}

}  // namespace

QFont WindowFont() {
  QFont font;
  font.setWeight(QFont::Normal);
  if (QFontDatabase::families(QFontDatabase::Japanese).contains("System")) {
    font.setFamily("System");
    font.setPointSizeF(13.5);
    return font;
  }
  // The classic System font draws its 13.5-point text with 16-pixel full-width glyphs; an outline
  // font takes 12 points for the same glyph width, so that the captions fit their controls.
  font.setFamilies(
      {"MS UI Gothic", "Yu Gothic UI", "Meiryo UI", "IPAGothic", "IPAPGothic", "Noto Sans CJK JP"});
  font.setPointSizeF(12);
  return font;
}

Form1::Form1(QWidget* parent) : QWidget(parent) {
  setObjectName("Form1");
  setWindowTitle(kWindowCaption);
  setFixedSize(Twips(0, 0, 9090, 6495).size());

  picture1_ = Make<QWidget>(this, "Picture1");
  frame3_ = Make<QGroupBox>(picture1_, "Frame3");
  label3_ = Make<QLabel>(frame3_, "Label3");
  text2_ = Make<QLineEdit>(picture1_, "Text2");
  text1_ = Make<QLineEdit>(picture1_, "Text1");
  command2_ = Make<QPushButton>(picture1_, "Command2");
  command1_ = Make<QPushButton>(picture1_, "Command1");
  frame2_ = Make<QGroupBox>(picture1_, "Frame2");
  drive2_ = Make<DriveList>(frame2_, "Drive2");
  dir2_ = Make<DirectoryList>(frame2_, "Dir2");
  frame1_ = Make<QGroupBox>(picture1_, "Frame1");
  drive1_ = Make<DriveList>(frame1_, "Drive1");
  dir1_ = Make<DirectoryList>(frame1_, "Dir1");
  label2_ = Make<QLabel>(picture1_, "Label2");
  label1_ = Make<QLabel>(picture1_, "Label1");

  picture1_->setGeometry(Twips(0, 0, 9075, 6495));
  frame3_->setGeometry(Twips(240, 4740, 8475, 675));
  label3_->setGeometry(Twips(180, 240, 8175, 315));
  text2_->setGeometry(Twips(2400, 240, 6255, 405));
  text1_->setGeometry(Twips(2400, 840, 6255, 405));
  command2_->setGeometry(Twips(5160, 5580, 2055, 555));
  command1_->setGeometry(Twips(2520, 5580, 1935, 555));
  frame2_->setGeometry(Twips(1200, 1620, 3135, 2895));
  drive2_->setGeometry(Twips(240, 2220, 2595, 390));
  dir2_->setGeometry(Twips(240, 420, 2595, 1530));
  frame1_->setGeometry(Twips(4980, 1620, 2895, 2895));
  drive1_->setGeometry(Twips(240, 2220, 2415, 390));
  dir1_->setGeometry(Twips(240, 420, 2415, 1530));
  label2_->setGeometry(Twips(240, 300, 2235, 315));
  label1_->setGeometry(Twips(240, 900, 2235, 315));

  for (QWidget* grey : std::initializer_list<QWidget*>{picture1_, frame3_, label3_, frame2_,
                                                       frame1_, label2_, label1_}) {
    PaintLightGrey(grey);
  }
  frame3_->setTitle("メッセージ");
  frame2_->setTitle("変換元フォルダ名選択");
  frame1_->setTitle("変換先フォルダ名選択");
  command1_->setText("実  行");
  command2_->setText("終  了");
  label2_->setText("変換元フォルダ名 ：");
  label1_->setText("変換先フォルダ名 ：");

  // The order of the tab key, as the controls' tab indices give it.
  QWidget::setTabOrder(dir1_, drive1_);
  QWidget::setTabOrder(drive1_, dir2_);
  QWidget::setTabOrder(dir2_, drive2_);
  QWidget::setTabOrder(drive2_, command1_);
  QWidget::setTabOrder(command1_, command2_);
  QWidget::setTabOrder(command2_, text1_);
  QWidget::setTabOrder(text1_, text2_);
  // The labels reach a few pixels into the text boxes; the boxes stay on top, as they always have.
  text1_->raise();
  text2_->raise();

  // Both lists start at the current directory.
  const QString current = Q(platform::CurrentDirectory());
  drive1_->setDrive(platform::CurrentDrive());
  drive2_->setDrive(platform::CurrentDrive());
  // A current folder that cannot be listed leaves the lists at its drive's root.
  for (DirectoryList* dir : {dir1_, dir2_}) {
    if (!dir->setPath(current)) dir->setPath(current.left(2) + "\\");
  }

  connect(command1_, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
  connect(drive2_, &QComboBox::currentIndexChanged, this, [this] { DriveChange(drive2_, dir2_); });
  connect(drive1_, &QComboBox::currentIndexChanged, this, [this] { DriveChange(drive1_, dir1_); });
  connect(dir2_, &DirectoryList::pathChanged, this, [this] { DirChange(dir2_, text2_); });
  connect(dir1_, &DirectoryList::pathChanged, this, [this] { DirChange(dir1_, text1_); });
}

QRect Form1::Twips(int left, int top, int width, int height) const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi_x = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
  const double dpi_y = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
  auto x = [&](int twips) { return qRound(twips * dpi_x / 1440.0); };
  auto y = [&](int twips) { return qRound(twips * dpi_y / 1440.0); };
  return QRect(x(left), y(top), x(width), y(height));
}

bool Form1::Form_Load() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
  patdat_path_ = ReadPatternFolderSetting();
  if (patdat_path_.empty() ||
      !platform::PathExists(patdat_path_.substr(0, patdat_path_.size() - 1))) {
    ShowMessageBox(nullptr, kNoPatdatMessage, MessageIcon::kNone, MessageButtons::kOk, kAppTitle);
    return false;
  }
  text2_->setText(dir2_->path());
  text1_->setText(dir1_->path());
  dir1_->setFocus(Qt::OtherFocusReason);  // the first control in the tab order
  return true;
}

void Form1::DriveChange(DriveList* drive, DirectoryList* dir) {
  // A drive that cannot be read falls back, silently, to the first entry, which fires the change
  // again for that entry.
  int remembered_index = 0;
  if (!dir->setPath(Q(platform::CurrentDirectoryOf(drive->drive())))) {
    drive->setCurrentIndex(remembered_index);
  }
  remembered_index = drive->currentIndex();
  if (!platform::ChangeDrive(drive->drive())) drive->setCurrentIndex(remembered_index);
}

void Form1::DirChange(DirectoryList* dir, QLineEdit* text) {
  text->setText(dir->path());
  platform::ChangeDirectory(dir->path().toStdString());
}

void Form1::Command1_Click() {
  // Events are processed once during a run; a click that arrives then is not a second run.
  if (running_) return;
  running_ = true;
  tavrimen::Command1_Click(*this, patdat_path_);
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
  return ShowMessageBox(this, text, icon, buttons, title);
}

MessageAnswer Form1::ShowMessageBox(QWidget* parent, std::string_view text, MessageIcon icon,
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

}  // namespace tavrimen::gui
