#include "app/win32/form1.h"

#include "app/conversion_run.h"
#include "app/form_layout.h"
#include "app/messages.h"
#include "app/start_up.h"
#include "app/win32/message_box.h"
#include "app/win32/shell_drop.h"
#include "app/win32/wide.h"
#include "platform/disk_file_system.h"

namespace tavrimen::win32 {

Form1::Form1(HINSTANCE instance) {
  window_ = CreateFormWindow(instance, kWindowCaption, *this);
  // The resolution is known before the controls are made (the directory lists' rows are measured
  // then); its font is theirs once they all exist.
  resolution_.Change(Resolution::DpiOf(window_.get()));
  controls_ = std::make_unique<Controls>(instance, window_.get());
  CreateLists();
  UseResolution();
  const SIZE outer = resolution_.InitialOuterSize();
  SetWindowPos(window_.get(), nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls();
  AcceptDrops(window_.get());

  // Both lists start at the current directory.
  platform::DiskFileSystem files(drives_);
  const std::string start = StartingFolder(files);
  drive1_->SelectDrive(drives_.CurrentDrive());
  drive2_->SelectDrive(drives_.CurrentDrive());
  dir1_->SetPath(start);
  dir2_->SetPath(start);
}

// No quit message when the window goes with the form: the program, not the window, decides to
// end.
Form1::~Form1() { destroying_ = true; }

void Form1::CreateLists() {
  drive1_ = std::make_unique<DriveList>(Control("Drive1"), drives_.Drives(),
                                        [this] { DriveChange(*drive1_, *dir1_); });
  drive2_ = std::make_unique<DriveList>(Control("Drive2"), drives_.Drives(),
                                        [this] { DriveChange(*drive2_, *dir2_); });
  dir1_ = std::make_unique<DirectoryList>(Control("Dir1"), drives_,
                                          [this] { DirChange(*dir1_, "Text1"); });
  dir2_ = std::make_unique<DirectoryList>(Control("Dir2"), drives_,
                                          [this] { DirChange(*dir2_, "Text2"); });
}

void Form1::SetResolution(UINT dpi) {
  const OwnedFont before = resolution_.Change(dpi);  // until the controls have the new font
  UseResolution();
}

void Form1::UseResolution() {
  controls_->SetFont(resolution_.font());
  dir1_->Resize(resolution_.dpi(), resolution_.font());
  dir2_->Resize(resolution_.dpi(), resolution_.font());
}

void Form1::PlaceControls() {
  controls_->Place(resolution_.dpi());
  dir1_->ScrollToShownFolder();
  dir2_->ScrollToShownFolder();
}

bool Form1::Form_Load() {
  RECT outer;
  GetWindowRect(handle(), &outer);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& screen = monitor.rcMonitor;
  SetWindowPos(handle(), nullptr,
               CentredOrigin(screen.left, screen.right - screen.left, outer.right - outer.left),
               CentredOrigin(screen.top, screen.bottom - screen.top, outer.bottom - outer.top), 0,
               0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  platform::DiskFileSystem files(drives_);
  auto patdat = LoadPatternFolder(files, *this);
  if (!patdat) return false;
  patdat_path_ = *patdat;
  SetWindowTextW(Control("Text2"), Wide(dir2_->path()).c_str());
  SetWindowTextW(Control("Text1"), Wide(dir1_->path()).c_str());
  return true;
}

void Form1::Show(int show_command) {
  ShowWindow(handle(), show_command);
  UpdateWindow(handle());
  SetForegroundWindow(handle());
  SetFocus(controls_->FirstInTabOrder());
}

HWND Form1::Control(std::string_view name) const {
  return controls_ == nullptr ? nullptr : controls_->Get(name);
}

bool Form1::PreTranslate(MSG& message) {
  DispatchDialogMessage(handle(), message);
  return true;
}

Form1::Handled Form1::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  static constexpr Route<Form1> kRoutes[] = {
      {WM_COMMAND, &Form1::OnCommand},
      {WM_CTLCOLORSTATIC, &Form1::OnColourStatic},
      {WM_CTLCOLORBTN, &Form1::OnColourButton},
      {WM_MEASUREITEM, &Form1::OnMeasureItem},
      {WM_DRAWITEM, &Form1::OnDrawItem},
      {WM_SETCURSOR, &Form1::OnSetCursor},
      {WM_ACTIVATE, &Form1::OnActivate},
      {WM_DPICHANGED, &Form1::OnDpiChanged},
      {WM_SIZE, &Form1::OnSize},
      {WM_GETMINMAXINFO, &Form1::OnGetMinMaxInfo},
      {WM_DROPFILES, &Form1::OnDropFiles},
      {WM_CLOSE, &Form1::OnClose},
      {WM_DESTROY, &Form1::OnDestroy},
  };
  return Routed<Form1>(*this, kRoutes, message, wparam, lparam);
}

Form1::Handled Form1::OnCommand(WPARAM wparam, LPARAM) {
  if (LOWORD(wparam) == IDOK) {
    // Enter, as the dialog keys send it: the focused button is pressed.
    HWND focused = GetFocus();
    if (focused == Control("Command1") || focused == Control("Command2")) {
      Notified(Controls::NameOf(GetDlgCtrlID(focused)), BN_CLICKED);
    }
    return 0;
  }
  Notified(Controls::NameOf(LOWORD(wparam)), HIWORD(wparam));
  return 0;
}

Form1::Handled Form1::OnColourStatic(WPARAM wparam, LPARAM) {
  SetBkColor(reinterpret_cast<HDC>(wparam), kGrey);
  return reinterpret_cast<LRESULT>(GreyBrush());
}

Form1::Handled Form1::OnColourButton(WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>(GreyBrush());
}

Form1::Handled Form1::OnMeasureItem(WPARAM, LPARAM lparam) {
  reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight =
      DirectoryList::FirstRowHeight(resolution_.dpi());
  return TRUE;
}

Form1::Handled Form1::OnDrawItem(WPARAM, LPARAM lparam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
  for (DirectoryList* dir : {dir1_.get(), dir2_.get()}) {
    if (dir != nullptr && item->hwndItem == dir->handle()) dir->Draw(*item);
  }
  return TRUE;
}

Form1::Handled Form1::OnSetCursor(WPARAM, LPARAM) {
  if (wait_cursor_.OnSetCursor()) return TRUE;
  return std::nullopt;
}

Form1::Handled Form1::OnActivate(WPARAM wparam, LPARAM) {
  focus_.OnActivate(handle(), wparam, controls_->FirstInTabOrder());
  return 0;
}

Form1::Handled Form1::OnDpiChanged(WPARAM wparam, LPARAM lparam) {
  SetResolution(HIWORD(wparam));
  const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
  SetWindowPos(handle(), nullptr, suggested->left, suggested->top,
               suggested->right - suggested->left, suggested->bottom - suggested->top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls();
  return 0;
}

Form1::Handled Form1::OnSize(WPARAM wparam, LPARAM) {
  // Nothing to place while the window is being made.
  if (wparam != SIZE_MINIMIZED && dir1_ != nullptr) PlaceControls();
  return 0;
}

Form1::Handled Form1::OnGetMinMaxInfo(WPARAM, LPARAM lparam) {
  // The layout table's size is the smallest the window takes.
  const SIZE outer = resolution_.InitialOuterSize();
  reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = {outer.cx, outer.cy};
  return 0;
}

Form1::Handled Form1::OnDropFiles(WPARAM wparam, LPARAM) {
  const ShellDrop drop = ReadDrop(OwnedDrop(reinterpret_cast<HDROP>(wparam)), handle(), *controls_);
  if (drop.side) DropFolders(*drop.side, drop.natives);
  return 0;
}

Form1::Handled Form1::OnClose(WPARAM, LPARAM) {
  Command2_Click();
  return 0;
}

Form1::Handled Form1::OnDestroy(WPARAM, LPARAM) {
  if (!destroying_) PostQuitMessage(0);
  return 0;
}

void Form1::Notified(std::string_view control, int notification) {
  if (control == "Command1" && notification == BN_CLICKED) {
    Command1_Click();
  } else if (control == "Command2" && notification == BN_CLICKED) {
    Command2_Click();
  } else if (control == "Drive1" && notification == CBN_SELCHANGE) {
    DriveChange(*drive1_, *dir1_);
  } else if (control == "Drive2" && notification == CBN_SELCHANGE) {
    DriveChange(*drive2_, *dir2_);
  } else if ((control == "Dir1" || control == "Dir2") && notification == LBN_DBLCLK) {
    (control == "Dir1" ? *dir1_ : *dir2_).OpenSelected();
  }
}

void Form1::DriveChange(DriveList& drive, DirectoryList& dir) {
  Win32DriveAndDirectory lists(drive, dir);
  platform::DiskFileSystem files(drives_);
  tavrimen::DriveChange(files, drives_, lists);
}

void Form1::DirChange(const DirectoryList& dir, const char* text_box) {
  SetWindowTextW(Control(text_box), Wide(dir.path()).c_str());
  platform::DiskFileSystem files(drives_);
  tavrimen::DirChange(files, drives_, dir.path());
}

void Form1::DropFolders(Side side, const std::vector<std::filesystem::path>& natives) {
  platform::DiskFileSystem files(drives_);
  const FolderDrop drop = DroppedFolder(files, natives);
  if (!drop.refusal.empty()) {
    ShowMessage(drop.refusal, MessageIcon::kExclamation, MessageButtons::kOk, kAppTitle);
    return;
  }
  const bool source = side == Side::kSource;
  // The drive list follows the folder without a drive change of its own.
  (source ? drive2_ : drive1_)->SelectDrive(drop.folder.front());
  (source ? dir2_ : dir1_)->SetPath(drop.folder);
  SetWindowTextW(Control(source ? "Text2" : "Text1"), Wide(drop.folder).c_str());
}

void Form1::Command1_Click() {
  // Events are processed once during a run; a click that arrives then is not a second run.
  if (running_) return;
  running_ = true;
  platform::DiskFileSystem files(drives_);
  tavrimen::Command1_Click(*this, files, patdat_path_);
  running_ = false;
  if (close_requested_) DestroyWindow(handle());
}

void Form1::Command2_Click() {
  // During a run's one events pass the window stays until the run has ended.
  if (running_) {
    close_requested_ = true;
  } else {
    DestroyWindow(handle());
  }
}

platform::ResolvedPath Form1::Text(TextBox box) const {
  // On Windows a text box holds drive form, the native form, and the run's path check takes it
  // as typed.
  return platform::ResolvedPath::Of(
      platform::DriveFormPath(WindowText(Control(box == TextBox::kText1 ? "Text1" : "Text2"))));
}

void Form1::SetLabel3(std::string_view text) {
  SetWindowTextW(Control("Label3"), Wide(text).c_str());
}

void Form1::ProcessEventsOnce() {
  RedrawWindow(handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  DispatchPendingOnce(handle());
}

void Form1::FocusAndSelectAll(TextBox box) {
  HWND text = Control(box == TextBox::kText1 ? "Text1" : "Text2");
  SetFocus(text);
  SendMessageW(text, EM_SETSEL, 0, -1);
}

void Form1::SetPointer(Pointer pointer) {
  wait_cursor_.Show(handle(), pointer == Pointer::kHourglass);
}

MessageAnswer Form1::ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                                 std::string_view title) {
  return ShowMessageBox(handle(), text, icon, buttons, title);
}

}  // namespace tavrimen::win32
