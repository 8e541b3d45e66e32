// The real window on Qt's offscreen platform. Modal message boxes are caught when they are shown
// and answered by the test through a queued click, never by a timer.
#include "app/qt/form1.h"

#include <QApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <deque>
#include <filesystem>

#include "app/conversion_run.h"
#include "app/form_layout.h"
#include "platform/drive_table.h"
#include "support/data_set.h"
#include "support/environment.h"

namespace tavrimen::gui {
namespace {

using testing::MinimalBoring;
using testing::StandardPatdat;
using testing::TempFolder;
using testing::WriteCp932;
using testing::WriteFiles;

struct SeenBox {
  QString text;
  QString title;
  QMessageBox::Icon icon;
  QStringList buttons;
};

// Records every message box when it is shown and clicks the answer that the test queued
// (Yes/No) or its only button.
class BoxAnswerer : public QObject {
 public:
  BoxAnswerer() { qApp->installEventFilter(this); }
  ~BoxAnswerer() override { qApp->removeEventFilter(this); }

  std::vector<SeenBox> seen;
  std::deque<QMessageBox::StandardButton> answers;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* box = qobject_cast<QMessageBox*>(object);
    if (box != nullptr && event->type() == QEvent::Show) {
      SeenBox s{box->text(), box->windowTitle(), box->icon(), {}};
      for (QAbstractButton* button : box->buttons()) s.buttons << button->text();
      seen.push_back(s);
      QMessageBox::StandardButton answer = QMessageBox::Ok;
      if (box->standardButtons() != QMessageBox::Ok) {
        answer = answers.empty() ? QMessageBox::No : answers.front();
        if (!answers.empty()) answers.pop_front();
      }
      QAbstractButton* button = box->button(answer);
      QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
    }
    return false;
  }
};

class Form1Test : public QObject {
  Q_OBJECT

 private:
  TempFolder root_;
  std::filesystem::path system_;
  BoxAnswerer* boxes_ = nullptr;

  std::string Drive(const std::filesystem::path& native) {
    return *platform::DriveTable::FromEnvironment().ToDriveForm(native);
  }
  void UseDrives(const std::string& table) {
    qputenv("TAVRIMEN_DRIVES", QByteArray::fromStdString(table));
  }
  void WriteSetting(const std::string& patdat) {
    WriteCp932(system_ / "PatdatV5.ini", "[PATDAT]\r\n" + patdat + "\r\n");
  }
  QLineEdit* Text(Form1& form, const char* name) { return form.findChild<QLineEdit*>(name); }
  static QString Native(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
  }
  // A window past its start-up with the pattern data of the test, shown.
  void Open(Form1& form) {
    WriteSetting(Drive(root_.path() / "patdat") + "\\");
    QVERIFY(form.Form_Load());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
  }
  // Drops `paths` (as URLs of a file manager) on the middle of a control.
  void DropOn(Form1& form, const char* control, const std::vector<std::filesystem::path>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const auto& path : paths) urls << QUrl::fromLocalFile(Native(path));
    data.setUrls(urls);
    QWidget* target = form.findChild<QWidget*>(control);
    const QPointF at = target->mapTo(&form, target->rect().center());
    // As the window system delivers a drag: to the window, which finds the widget under it.
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.windowHandle(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.windowHandle(), &drop);
  }
  static bool IsControl(const QWidget* widget) {
    const std::string name = widget->objectName().toStdString();
    return std::any_of(kForm1Controls.begin(), kForm1Controls.end(),
                       [&](const ControlSpec& control) { return control.name == name; });
  }
  // Nothing overlaps: no two controls in one container, no caption cut by its control or covered
  // by a text box, and no status text on the message frame's edge.
  void CheckNothingOverlaps(Form1& form) {
    for (QWidget* container : form.findChildren<QWidget*>()) {
      const auto children = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
      for (qsizetype i = 0; i < children.size(); ++i) {
        for (qsizetype j = i + 1; j < children.size(); ++j) {
          if (!IsControl(children[i]) || !IsControl(children[j])) continue;
          QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()),
                   qPrintable(children[i]->objectName() + " " + children[j]->objectName()));
        }
      }
    }
    for (const char* name : {"Label1", "Label2"}) {
      auto* label = form.findChild<QLabel*>(name);
      QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    }
    auto* frame3 = form.findChild<QGroupBox*>("Frame3");
    QVERIFY(frame3->contentsRect().contains(form.findChild<QLabel*>("Label3")->geometry()));
  }
  QString Label3(Form1& form) { return form.findChild<QLabel*>("Label3")->text(); }
  void Click(Form1& form) {
    QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  }

 private slots:
  void init() {
    system_ = root_.path() / "system";
    std::filesystem::remove_all(system_);
    std::filesystem::create_directories(system_);
    qputenv("TAVRIMEN_SYSTEM_DIR", QByteArray::fromStdString(system_.string()));
    UseDrives("");
    WriteFiles(root_.path() / "patdat", StandardPatdat());
    std::filesystem::remove_all(root_.path() / "src");
    WriteFiles(root_.path() / "src" / "B-1", MinimalBoring());
    std::filesystem::remove_all(root_.path() / "out");
    std::filesystem::create_directories(root_.path() / "out");
    boxes_ = new BoxAnswerer;
  }
  void cleanup() { delete boxes_; }

  void controlsCarryTheirNamesAndCaptions() {
    Form1 form;
    QCOMPARE(form.windowTitle(), QString("Kolumna_S -> User(Pv) 変換プログラム"));
    for (const char* name :
         {"Picture1", "Frame3", "Label3", "Text2", "Text1", "Command2", "Command1", "Frame2",
          "Drive2", "Dir2", "Frame1", "Drive1", "Dir1", "Label2", "Label1"}) {
      QVERIFY2(form.findChild<QWidget*>(name) != nullptr, name);
    }
    QCOMPARE(form.findChild<QPushButton*>("Command1")->text(), QString("実  行"));
    QCOMPARE(form.findChild<QPushButton*>("Command2")->text(), QString("終  了"));
    QCOMPARE(form.findChild<QLabel*>("Label2")->text(), QString("変換元フォルダ名 ："));
    QCOMPARE(form.findChild<QLabel*>("Label1")->text(), QString("変換先フォルダ名 ："));
    QCOMPARE(form.findChild<QGroupBox*>("Frame3")->title(), QString("メッセージ"));
    QCOMPARE(form.findChild<QWidget*>("Picture1")->palette().color(QPalette::Window),
             QColor(0xC0, 0xC0, 0xC0));
    // 9090 by 6495 twips at 96 dots per inch.
    QCOMPARE(form.size(), QSize(606, 433));
    QCOMPARE(form.findChild<QWidget*>("Text2")->geometry(), QRect(160, 16, 417, 27));
  }

  void startUpWithoutSettingEndsWithTheMessage() {
    Form1 form;
    QVERIFY(!form.Form_Load());
    QCOMPARE(boxes_->seen.size(), std::size_t{1});
    QCOMPARE(boxes_->seen[0].text, QString(" PATDAT の設定がありません."));
    QCOMPARE(boxes_->seen[0].icon, QMessageBox::NoIcon);
    QCOMPARE(boxes_->seen[0].title, QString("Tavrimen Zm38"));
    QVERIFY(!form.isVisible());
    QVERIFY(!std::filesystem::exists(system_ / "PatdatV5.ini"));
  }

  void startUpWithAMissingPatternFolderEndsToo() {
    WriteSetting(Drive(root_.path() / "nowhere") + "\\");
    Form1 form;
    QVERIFY(!form.Form_Load());
    QCOMPARE(boxes_->seen.size(), std::size_t{1});
  }

  void startUpFillsBothTextBoxesWithTheCurrentDirectory() {
    WriteSetting(Drive(root_.path() / "patdat") + "\\");
    Form1 form;
    QVERIFY(form.Form_Load());
    // As people read it: the working folder itself.
    const QString current = QString::fromStdString(std::filesystem::current_path().string());
    QCOMPARE(Text(form, "Text1")->text(), current);
    QCOMPARE(Text(form, "Text2")->text(), current);
    QCOMPARE(Label3(form), QString());
    QVERIFY(boxes_->seen.empty());
    QCOMPARE(form.focusWidget(), form.findChild<QWidget*>("Dir1"));
  }

  void executeConverts() {
    WriteSetting(Drive(root_.path() / "patdat") + "\\");
    Form1 form;
    QVERIFY(form.Form_Load());
    Text(form, "Text2")->setText(QString::fromStdString(Drive(root_.path() / "src" / "B-1")));
    Text(form, "Text1")->setText(QString::fromStdString(Drive(root_.path() / "out")));
    Click(form);
    QCOMPARE(Label3(form), QString("変換が正常に終了しました。"));
    QVERIFY(std::filesystem::exists(root_.path() / "out" / "B-1"));
    QVERIFY(boxes_->seen.empty());
    QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
  }

  void refusalShowsItsMessageAndSelectsTheTextBox() {
    WriteSetting(Drive(root_.path() / "patdat") + "\\");
    Form1 form;
    QVERIFY(form.Form_Load());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QString typed = QString::fromStdString((root_.path() / "DA*TA").string());
    Text(form, "Text2")->setText(typed);
    Text(form, "Text1")->setText(QString::fromStdString(Drive(root_.path() / "out")));
    Click(form);
    QCOMPARE(boxes_->seen.size(), std::size_t{1});
    QCOMPARE(boxes_->seen[0].text, QString("指定されたパスは正しくありません。"));
    QCOMPARE(boxes_->seen[0].title, typed);
    QCOMPARE(boxes_->seen[0].icon, QMessageBox::Warning);
    QCOMPARE(boxes_->seen[0].buttons, QStringList{"OK"});
    QCOMPARE(form.focusWidget(), Text(form, "Text2"));
    QCOMPARE(Text(form, "Text2")->selectedText(), typed);
    QCOMPARE(Label3(form), QString());
  }

  void folderQuestionAnsweredNoThenYes() {
    WriteSetting(Drive(root_.path() / "patdat") + "\\");
    Form1 form;
    QVERIFY(form.Form_Load());
    Text(form, "Text2")->setText(QString::fromStdString(Drive(root_.path() / "src" / "B-1")));
    Text(form, "Text1")->setText(QString::fromStdString(Drive(root_.path() / "new" / "sub")));
    boxes_->answers = {QMessageBox::No};
    Click(form);
    QCOMPARE(boxes_->seen.size(), std::size_t{1});
    QCOMPARE(boxes_->seen[0].text, QString("フォルダがありません。新規作成しますか？"));
    QCOMPARE(boxes_->seen[0].icon, QMessageBox::Question);
    QCOMPARE(boxes_->seen[0].buttons, (QStringList{"はい(&Y)", "いいえ(&N)"}));
    QVERIFY(!std::filesystem::exists(root_.path() / "new"));
    QCOMPARE(Label3(form), QString());

    boxes_->answers = {QMessageBox::Yes};
    Click(form);
    QCOMPARE(boxes_->seen.size(), std::size_t{2});
    QVERIFY(std::filesystem::exists(root_.path() / "new" / "sub" / "B-1"));
    QCOMPARE(Label3(form), QString("変換が正常に終了しました。"));
  }

  void directoryChangeOverwritesTheTextBox() {
    UseDrives("C=" + root_.path().string());
    testing::ScopedWorkingDirectory working(root_.path());
    WriteSetting("C:\\patdat\\");
    Form1 form;
    QVERIFY(form.Form_Load());
    auto* dir1 = form.findChild<DirectoryList*>("Dir1");
    QCOMPARE(dir1->path(), QString("C:\\"));
    Text(form, "Text1")->setText("typed by hand");
    QList<QListWidgetItem*> out = dir1->findItems("out", Qt::MatchEndsWith);
    QCOMPARE(out.size(), 1);
    dir1->setCurrentItem(out[0]);
    QCOMPARE(Text(form, "Text1")->text(), QString("typed by hand"));  // a click only selects
    QTest::keyClick(dir1, Qt::Key_Return);
    QCOMPARE(Text(form, "Text1")->text(), Native(root_.path() / "out"));
    QCOMPARE(QString::fromStdString(form.drives().CurrentDirectoryOf('C')), QString("C:\\out"));
    QCOMPARE(form.drives().CurrentDrive(), 'C');
    dir1->openRow(0);
    QCOMPARE(Text(form, "Text1")->text(), Native(root_.path()));
  }

  void unreadableDriveFallsBackToTheFirstEntry() {
    UseDrives("A=" + root_.path().string() + ";Q=" + (root_.path() / "missing").string());
    WriteSetting("A:\\patdat\\");
    Form1 form;
    QVERIFY(form.Form_Load());
    auto* drive2 = form.findChild<DriveList*>("Drive2");
    drive2->setDrive('Z');
    QCOMPARE(Text(form, "Text2")->text(), QString::fromStdString(std::filesystem::current_path()));
    drive2->setDrive('Q');
    QCOMPARE(drive2->currentIndex(), 0);
    QCOMPARE(drive2->drive(), 'A');
    QCOMPARE(Text(form, "Text2")->text(), Native(root_.path()));
    QVERIFY(boxes_->seen.empty());
  }

  void nativePathsTypedAsPeopleTypeThem() {
    testing::ScopedWorkingDirectory working(root_.path());
    // The sources lie on drive D:, which the run's path check makes current before it reads the
    // destination: relative paths still start where the window's lists are.
    UseDrives("D=" + (root_.path() / "src").string());
    qputenv("HOME", QByteArray::fromStdString(root_.path().string()));
    const std::pair<QString, QString> cases[] = {
        {Native(root_.path() / "src" / "B-1"), Native(root_.path() / "out" / "")},
        {"src/B-1", "out"},
        {" ~/src/B-1", "~/out/new"},  // pasted with a blank; a folder to create
    };
    for (const auto& [source, destination] : cases) {
      std::filesystem::remove_all(root_.path() / "out");
      Form1 form;
      Open(form);
      Text(form, "Text2")->setText(source);
      Text(form, "Text1")->setText(destination);
      boxes_->answers = {QMessageBox::Yes};
      Click(form);
      QCOMPARE(Label3(form), QString("変換が正常に終了しました。"));
      QVERIFY2(std::filesystem::exists(root_.path() / "out" / "B-1") ||
                   std::filesystem::exists(root_.path() / "out" / "new" / "B-1"),
               qPrintable(source));
    }
  }

  void droppedFolderFillsItsSide() {
    Form1 form;
    Open(form);
    DropOn(form, "Text2", {root_.path() / "src" / "B-1"});
    QCOMPARE(Text(form, "Text2")->text(), Native(root_.path() / "src" / "B-1"));
    QCOMPARE(form.findChild<DirectoryList*>("Dir2")->path().toStdString(),
             Drive(root_.path() / "src" / "B-1"));
    DropOn(form, "Dir1", {root_.path() / "out"});
    QCOMPARE(Text(form, "Text1")->text(), Native(root_.path() / "out"));
    QVERIFY(boxes_->seen.empty());

    DropOn(form, "Frame1", {root_.path() / "src", root_.path() / "out"});
    DropOn(form, "Label2", {root_.path() / "src" / "B-1" / "X1.txt"});
    QCOMPARE(boxes_->seen.size(), std::size_t{2});
    QCOMPARE(boxes_->seen[0].text, QString("フォルダは１つずつドロップしてください。"));
    QCOMPARE(boxes_->seen[1].text, QString("ドロップできるのはフォルダだけです。"));
    QCOMPARE(Text(form, "Text1")->text(), Native(root_.path() / "out"));
    QCOMPARE(Text(form, "Text2")->text(), Native(root_.path() / "src" / "B-1"));
  }

  void windowGrowsFromItsInitialSize() {
    Form1 form;
    Open(form);
    const QSize initial = form.size();
    QCOMPARE(form.minimumSize(), initial);
    // Centred by its outer size, frame included.
    const QPoint screen_centre = QGuiApplication::primaryScreen()->geometry().center();
    const auto off_centre = [&] { return form.frameGeometry().center() - screen_centre; };
    QTRY_VERIFY(std::abs(off_centre().x()) <= 1 && std::abs(off_centre().y()) <= 1);
    CheckNothingOverlaps(form);
    auto* dir2 = form.findChild<QWidget*>("Dir2");
    const QSize list = dir2->size();
    form.resize(initial * 2);
    QCOMPARE(form.size(), initial * 2);
    QVERIFY(dir2->width() > list.width() + initial.width() / 3);
    QVERIFY(dir2->height() > list.height() + initial.height() / 2);
    CheckNothingOverlaps(form);
    // The buttons stay centred: they moved by half the growth.
    auto* command1 = form.findChild<QWidget*>("Command1");
    QCOMPARE(command1->x(), TwipsToPixels(2520, 96) + initial.width() / 2);
  }

  void deepFolderKeepsItsSubfoldersAndNamesInView() {
    const auto deep = root_.path() / "a" / "b" / "c" / "d" / "e" / "f" / "g" / "h";
    std::filesystem::create_directories(deep / "sub-1");
    std::filesystem::create_directories(deep / "sub-2");
    Form1 form;
    Open(form);
    auto* dir2 = form.findChild<DirectoryList*>("Dir2");
    QVERIFY(dir2->setPath(QString::fromStdString(Drive(deep))));
    for (const char* name : {"h", "sub-1", "sub-2"}) {
      QListWidgetItem* item = dir2->findItems(name, Qt::MatchExactly).value(0);
      QVERIFY2(item != nullptr, name);
      const QRect row = dir2->visualItemRect(item);
      QVERIFY2(row.top() >= 0 && row.bottom() < dir2->viewport()->height(), name);
    }
    QCOMPARE(dir2->currentItem()->toolTip(), Native(deep));  // the whole path
    // The deepest names start in the list's left half.
    const int deepest = dir2->item(dir2->count() - 1)->data(Qt::UserRole + 1).toInt();
    QVERIFY(dir2->levelIndent() * deepest <= dir2->viewport()->width() / 2);
  }

  void enterPressesTheFocusedButton() {
    Form1 form;
    Open(form);
    Text(form, "Text2")->setText(QString::fromStdString(Drive(root_.path() / "src" / "B-1")));
    Text(form, "Text1")->setText(Native(root_.path() / "out"));
    auto* command1 = form.findChild<QPushButton*>("Command1");
    command1->setFocus();
    QTest::keyClick(command1, Qt::Key_Return);
    QCOMPARE(Label3(form), QString("変換が正常に終了しました。"));
    auto* command2 = form.findChild<QPushButton*>("Command2");
    command2->setFocus();
    QTest::keyClick(command2, Qt::Key_Enter);
    QVERIFY(!form.isVisible());
  }

  void everyControlShowsItsFocus() {
    Form1 form;
    Open(form);
    // Focused by a click too, not only by the tab key.
    for (const ControlSpec* control : TabOrder()) {
      auto* widget =
          form.findChild<QWidget*>(QString::fromUtf8(control->name.data(), control->name.size()));
      form.findChild<QWidget*>(control->name == "Command2" ? "Command1" : "Command2")
          ->setFocus(Qt::MouseFocusReason);
      const QImage unfocused = widget->grab().toImage();
      widget->setFocus(Qt::MouseFocusReason);
      QVERIFY2(widget->grab().toImage() != unfocused, control->name.data());
    }
    // A directory list's edge takes the highlight colour.
    auto* dir2 = form.findChild<DirectoryList*>("Dir2");
    dir2->setFocus(Qt::MouseFocusReason);
    QCOMPARE(dir2->grab().toImage().pixelColor(0, dir2->height() / 2),
             dir2->palette().color(QPalette::Highlight));
  }

  void settingsFileInAnotherLetterCase() {
    WriteCp932(system_ / "PATDATV5.INI",
               "[PATDAT]\r\n" + Drive(root_.path() / "patdat") + "\\\r\n");
    Form1 form;
    QVERIFY(form.Form_Load());
    QVERIFY(boxes_->seen.empty());
  }
};

}  // namespace
}  // namespace tavrimen::gui

QTEST_MAIN(tavrimen::gui::Form1Test)
#include "form1_test.moc"
