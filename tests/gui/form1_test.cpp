// The real window on Qt's offscreen platform. Modal message boxes are caught when they are shown
// and answered by the test through a queued click, never by a timer.
#include "app/qt/form1.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <deque>
#include <filesystem>

#include "app/conversion_run.h"
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
    const QString current =
        QString::fromStdString(form.drives().CurrentDirectoryOf(form.drives().CurrentDrive()));
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
    Text(form, "Text2")->setText("Z:\\DA*TA");
    Text(form, "Text1")->setText(QString::fromStdString(Drive(root_.path() / "out")));
    Click(form);
    QCOMPARE(boxes_->seen.size(), std::size_t{1});
    QCOMPARE(boxes_->seen[0].text, QString("指定されたパスは正しくありません。"));
    QCOMPARE(boxes_->seen[0].title, QString("Z:\\DA*TA"));
    QCOMPARE(boxes_->seen[0].icon, QMessageBox::Warning);
    QCOMPARE(boxes_->seen[0].buttons, QStringList{"OK"});
    QCOMPARE(form.focusWidget(), Text(form, "Text2"));
    QCOMPARE(Text(form, "Text2")->selectedText(), QString("Z:\\DA*TA"));
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
    QCOMPARE(Text(form, "Text1")->text(), QString("C:\\out"));
    QCOMPARE(QString::fromStdString(form.drives().CurrentDirectoryOf('C')), QString("C:\\out"));
    QCOMPARE(form.drives().CurrentDrive(), 'C');
    dir1->openRow(0);
    QCOMPARE(Text(form, "Text1")->text(), QString("C:\\"));
  }

  void unreadableDriveFallsBackToTheFirstEntry() {
    UseDrives("A=" + root_.path().string() + ";Q=" + (root_.path() / "missing").string());
    WriteSetting("A:\\patdat\\");
    Form1 form;
    QVERIFY(form.Form_Load());
    auto* drive2 = form.findChild<DriveList*>("Drive2");
    drive2->setDrive('Z');
    QCOMPARE(Text(form, "Text2")->text().left(2), QString("Z:"));
    drive2->setDrive('Q');
    QCOMPARE(drive2->currentIndex(), 0);
    QCOMPARE(drive2->drive(), 'A');
    QCOMPARE(Text(form, "Text2")->text(), QString("A:\\"));
    QVERIFY(boxes_->seen.empty());
  }
};

}  // namespace
}  // namespace tavrimen::gui

QTEST_MAIN(tavrimen::gui::Form1Test)
#include "form1_test.moc"
