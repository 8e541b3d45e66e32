// The main window: source and destination folder pickers, a status line, Execute and Exit. It
// gathers the two folder paths and shows what the conversion run tells it; the run itself lives in
// the core and reaches the window only through the Window interface.
//
// Paths are shown and typed as native paths where people read those (drive_table.h); the window
// turns them into drive form for the run. The window starts at the layout table's size, which is
// also its smallest, and grows as the table says. A folder dropped on one side fills that side.
#pragma once

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/folder_drop.h"
#include "app/qt/directory_list.h"
#include "app/qt/drive_list.h"
#include "app/window.h"
#include "platform/drive_table.h"

namespace tavrimen::gui {

// The window font: "System" at 13.5 points where it exists, else the platform's Japanese UI font
// at the size that draws the same glyphs.
QFont WindowFont();

class Form1 : public QWidget, public Window {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  // Start-up, before the window is shown: centres the window, reads the pattern-data folder
  // setting and fills both folder boxes with the current directory. False, after the message,
  // when the setting is missing or names no folder: the program must then end.
  bool Form_Load();

  // Takes folders dropped on one side, as a drop from a file manager does: one folder fills the
  // side's text box and directory list; anything else is refused with a message.
  void DropFolders(Side side, const std::vector<std::filesystem::path>& natives);

  const std::string& patdat_path() const { return patdat_path_; }
  // The window's drives and their current directories.
  const platform::DriveTable& drives() const { return drives_; }

  // Window interface of the conversion run.
  platform::ResolvedPath Text(TextBox box) const override;
  void SetLabel3(std::string_view text) override;
  void ProcessEventsOnce() override;
  void FocusAndSelectAll(TextBox box) override;
  void SetPointer(Pointer pointer) override;
  MessageAnswer ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                            std::string_view title) override;
  std::string PathAsShown(std::string_view drive_form) const override;

 public slots:
  void Command1_Click();
  void Command2_Click();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Places every control for the window's present size.
  void LayOut();
  // Centres the window on its screen by its outer size, frame included.
  void Centre();
  // The side of the control under a point of the window, if any.
  std::optional<Side> SideAt(const QPoint& point) const;
  void DriveChange(DriveList* drive, DirectoryList* dir);
  void DirChange(DirectoryList* dir, QLineEdit* text);

  // The drives and their current directories, for the window's whole life; each action works
  // through a file system of its own over them.
  platform::DriveTable drives_ = platform::DriveTable::FromEnvironment();
  QLabel* label3_;
  QLineEdit* text2_;
  QLineEdit* text1_;
  QPushButton* command2_;
  QPushButton* command1_;
  DriveList* drive2_;
  DirectoryList* dir2_;
  DriveList* drive1_;
  DirectoryList* dir1_;

  std::string patdat_path_;
  // The window centres itself again, once, when the window manager's frame is known.
  bool awaiting_frame_ = true;
  bool hourglass_ = false;
  bool running_ = false;
};

}  // namespace tavrimen::gui
