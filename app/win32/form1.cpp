#include "app/win32/form1.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/conversion_run.h"
#include "app/form_layout.h"
#include "app/messages.h"
#include "app/start_up.h"
#include "app/win32/wide.h"
#include "platform/disk_file_system.h"

namespace tavrimen::win32 {
namespace {

constexpr const wchar_t* kFormClass = L"TavrimenForm1";
constexpr const wchar_t* kPanelClass = L"TavrimenPicture1";
constexpr int kFirstControlId = 100;
constexpr UINT kEndOfPass = WM_APP + 1;
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                             WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr COLORREF kGrey =
    RGB((kLightGrey >> 16) & 0xFF, (kLightGrey >> 8) & 0xFF, kLightGrey & 0xFF);

// A function of user32 that older systems lack, looked up at run time.
template <typename Function>
Function User32(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT DpiOf(HWND window) {
  static const auto get_dpi = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (get_dpi != nullptr) {
    if (const UINT dpi = get_dpi(window)) return dpi;
  }
  HDC dc = GetDC(window);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

RECT OuterRect(int client_width, int client_height, UINT dpi) {
  RECT rect = {0, 0, client_width, client_height};
  static const auto adjust_for_dpi =
      User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  if (adjust_for_dpi == nullptr || !adjust_for_dpi(&rect, kFormStyle, FALSE, 0, dpi)) {
    AdjustWindowRectEx(&rect, kFormStyle, FALSE, 0);
  }
  return rect;
}

bool FontExists(std::wstring_view family) {
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(
      dc, &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM seen) -> int {
        *reinterpret_cast<bool*>(seen) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

// The window font: the first Japanese UI font the system has, at the size that draws the
// 16-pixel full-width glyphs of the classic 13.5-point System font (at 96 dots per inch).
HFONT WindowFont(UINT dpi) {
  static const std::wstring family = [] {
    for (std::string_view candidate : kJapaneseUiFonts) {
      if (FontExists(Wide(candidate))) return Wide(candidate);
    }
    return std::wstring();  // the font mapper picks a Japanese font by the character set
  }();
  LOGFONTW font = {};
  // 13.5 points as the cell height, as the classic System font has it: 16-pixel glyphs at 96 dpi.
  font.lfHeight = static_cast<LONG>(kSystemFontPoints * dpi / 72.0 + 0.5);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  family.copy(font.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD extended_style;
};

ControlClass ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPanel:
      return {kPanelClass, 0, WS_EX_CONTROLPARENT};
    case ControlKind::kFrame:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::kLabel:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::kTextBox:
      return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE};
    case ControlKind::kButton:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0};
    case ControlKind::kDriveList:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0};
    case ControlKind::kDirectoryList:
      return {L"LISTBOX",
              LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                  WS_HSCROLL | WS_TABSTOP | WS_GROUP,
              WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", 0, 0};
}

// The light grey brush, shared by every window of the process for as long as it runs.
HBRUSH GreyBrush() {
  static const HBRUSH brush = CreateSolidBrush(kGrey);
  return brush;
}

void RegisterClasses(HINSTANCE instance, WNDPROC form_proc, WNDPROC panel_proc) {
  WNDCLASSEXW form = {};
  form.cbSize = sizeof form;
  if (GetClassInfoExW(instance, kFormClass, &form)) return;
  form.lpfnWndProc = form_proc;
  form.hInstance = instance;
  form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  form.hbrBackground = GreyBrush();
  form.lpszClassName = kFormClass;
  RegisterClassExW(&form);
  WNDCLASSEXW panel = form;
  panel.lpfnWndProc = panel_proc;
  panel.hIcon = nullptr;
  panel.lpszClassName = kPanelClass;
  RegisterClassExW(&panel);
}

// Shows a message box owned by `owner` (none before the window shows) and waits for the answer.
MessageAnswer ShowMessageBox(HWND owner, std::string_view text, MessageIcon icon,
                             MessageButtons buttons, std::string_view title) {
  UINT style = buttons == MessageButtons::kYesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case MessageIcon::kNone:
      break;
    case MessageIcon::kExclamation:
      style |= MB_ICONEXCLAMATION;
      break;
    case MessageIcon::kInformation:
      style |= MB_ICONINFORMATION;
      break;
    case MessageIcon::kQuestion:
      style |= MB_ICONQUESTION;
      break;
  }
  if (owner == nullptr) style |= MB_SETFOREGROUND | MB_TASKMODAL;
  const int answer = MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), style);
  if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
  return answer == IDYES ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace

Form1::Form1(HINSTANCE instance) {
  RegisterClasses(instance, FormProc, PanelProc);
  window_ = CreateWindowExW(0, kFormClass, Wide(kWindowCaption).c_str(), kFormStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
  dpi_ = DpiOf(window_);
  CreateControls(instance);
  SetResolution(dpi_);
  const RECT outer = OuterRect(TwipsToPixels(kClientWidthTwips, dpi_),
                               TwipsToPixels(kClientHeightTwips, dpi_), dpi_);
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls();
  // Folders dropped from the file manager.
  DragAcceptFiles(window_, TRUE);

  // Both lists start at the current directory.
  platform::DiskFileSystem files(drives_);
  const std::string start = StartingFolder(files);
  drive1_->SelectDrive(drives_.CurrentDrive());
  drive2_->SelectDrive(drives_.CurrentDrive());
  dir1_->SetPath(start);
  dir2_->SetPath(start);
}

Form1::~Form1() {
  if (IsWindow(window_)) {
    destroying_ = true;  // no quit message: the program, not the window, decides to end
    DestroyWindow(window_);
  }
  if (font_ != nullptr) DeleteObject(font_);
}

void Form1::CreateControls(HINSTANCE instance) {
  for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
    const ControlSpec& control = kForm1Controls[i];
    const ControlClass type = ClassOf(control.kind);
    const bool panel = control.kind == ControlKind::kPanel;
    HWND created = CreateWindowExW(
        type.extended_style, type.name, Wide(control.caption).c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | type.style, 0, 0, 0, 0, panel ? window_ : panel_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), instance, this);
    controls_.emplace(std::string(control.name), created);
    if (panel) panel_ = created;
  }
  // The tab key follows the windows' order: the controls that take the focus first, in tab
  // order, then the labels, then the frames, which are drawn behind what they hold.
  HWND after = HWND_TOP;
  auto stack = [&](HWND control) {
    SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = control;
  };
  for (const ControlSpec* control : TabOrder()) stack(Control(control->name));
  for (ControlKind kind : {ControlKind::kLabel, ControlKind::kFrame}) {
    for (const ControlSpec& control : kForm1Controls) {
      if (control.kind == kind) stack(Control(control.name));
    }
  }

  drive1_ = std::make_unique<DriveList>(Control("Drive1"), drives_.Drives(),
                                        [this] { DriveChange(*drive1_, *dir1_); });
  drive2_ = std::make_unique<DriveList>(Control("Drive2"), drives_.Drives(),
                                        [this] { DriveChange(*drive2_, *dir2_); });
  auto dir_change = [this](const DirectoryList& dir, const char* text) {
    SetWindowTextW(Control(text), Wide(dir.path()).c_str());
    platform::DiskFileSystem files(drives_);
    tavrimen::DirChange(files, dir.path());
  };
  dir1_ = std::make_unique<DirectoryList>(Control("Dir1"), drives_,
                                          [=, this] { dir_change(*dir1_, "Text1"); });
  dir2_ = std::make_unique<DirectoryList>(Control("Dir2"), drives_,
                                          [=, this] { dir_change(*dir2_, "Text2"); });
}

void Form1::SetResolution(UINT dpi) {
  dpi_ = dpi;
  HFONT old_font = font_;
  font_ = WindowFont(dpi);
  for (const ControlSpec& control : kForm1Controls) {
    SendMessageW(Control(control.name), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  dir1_->Resize(dpi, font_);
  dir2_->Resize(dpi, font_);
  if (old_font != nullptr) DeleteObject(old_font);
}

void Form1::PlaceControls() {
  RECT client;
  GetClientRect(window_, &client);
  const int width = PixelsToTwips(client.right, dpi_);
  const int height = PixelsToTwips(client.bottom, dpi_);
  auto px = [this](int twips) { return TwipsToPixels(twips, dpi_); };
  for (const ControlSpec& control : kForm1Controls) {
    HWND handle = Control(control.name);
    // Every control but the panel sits in the panel; the frames only look like containers.
    const TwipsRect rect = control.kind == ControlKind::kPanel
                               ? LaidOut(control, width, height)
                               : InClientArea(control, width, height);
    int control_height = px(rect.height);
    if (control.kind == ControlKind::kDriveList) {
      // A drop-down list's height includes its list: eight entries below the field.
      SendMessageW(handle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), control_height - px(6 * 15));
      control_height += 8 * px(rect.height);
    }
    MoveWindow(handle, px(rect.left), px(rect.top), px(rect.width), control_height, TRUE);
  }
  dir1_->ScrollToShownFolder();
  dir2_->ScrollToShownFolder();
}

bool Form1::Form_Load() {
  RECT outer;
  GetWindowRect(window_, &outer);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& screen = monitor.rcMonitor;
  SetWindowPos(window_, nullptr,
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
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  SetFocus(Control(TabOrder().front()->name));  // the first control in the tab order
}

HWND Form1::Control(std::string_view name) const {
  auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

bool Form1::PreTranslate(MSG& message) {
  if (IsDialogMessageW(window_, &message)) return true;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}

LRESULT CALLBACK Form1::FormProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return form->Handle(window, message, wparam, lparam);
}

LRESULT CALLBACK Form1::PanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    // What the controls tell their parent goes on to the window.
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetParent(window), message, wparam, lparam);
    case WM_SETCURSOR:
      if (SendMessageW(GetParent(window), message, wparam, lparam)) return TRUE;
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT Form1::Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        // Enter, as the dialog keys send it: the focused button is pressed.
        const int focused = GetDlgCtrlID(GetFocus());
        if (GetFocus() == Control("Command1") || GetFocus() == Control("Command2")) {
          OnCommand(focused, BN_CLICKED);
        }
        return 0;
      }
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wparam), kGrey);
      return reinterpret_cast<LRESULT>(GreyBrush());
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(GreyBrush());
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = MulDiv(20, dpi_, 96);
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      for (DirectoryList* dir : {dir1_.get(), dir2_.get()}) {
        if (dir != nullptr && item->hwndItem == dir->handle()) dir->Draw(*item);
      }
      return TRUE;
    }
    case WM_SETCURSOR:
      if (hourglass_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      // The focus comes back to the control that had it, as in a dialog.
      if (LOWORD(wparam) == WA_INACTIVE) {
        saved_focus_ = GetFocus();
      } else {
        const bool saved = saved_focus_ != nullptr && IsChild(window, saved_focus_);
        SetFocus(saved ? saved_focus_ : Control(TabOrder().front()->name));
      }
      return 0;
    case WM_DPICHANGED: {
      SetResolution(HIWORD(wparam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      PlaceControls();
      return 0;
    }
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED && dir1_ != nullptr) PlaceControls();
      return 0;
    case WM_GETMINMAXINFO: {
      // The layout table's size is the smallest the window takes.
      const RECT outer = OuterRect(TwipsToPixels(kClientWidthTwips, dpi_),
                                   TwipsToPixels(kClientHeightTwips, dpi_), dpi_);
      auto* limits = reinterpret_cast<MINMAXINFO*>(lparam);
      limits->ptMinTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
      return 0;
    }
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wparam);
      POINT at = {};
      DragQueryPoint(drop, &at);
      std::vector<std::filesystem::path> natives;
      const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
        natives.emplace_back(name);
      }
      DragFinish(drop);
      if (const auto side = SideAt(at)) DropFolders(*side, natives);
      return 0;
    }
    case WM_CLOSE:
      Command2_Click();
      return 0;
    case WM_DESTROY:
      if (!destroying_) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void Form1::OnCommand(int id, int notification) {
  const std::size_t index = static_cast<std::size_t>(id - kFirstControlId);
  if (id < kFirstControlId || index >= kForm1Controls.size()) return;
  const std::string_view name = kForm1Controls[index].name;
  if (name == "Command1" && notification == BN_CLICKED) {
    Command1_Click();
  } else if (name == "Command2" && notification == BN_CLICKED) {
    Command2_Click();
  } else if (name == "Drive1" && notification == CBN_SELCHANGE) {
    DriveChange(*drive1_, *dir1_);
  } else if (name == "Drive2" && notification == CBN_SELCHANGE) {
    DriveChange(*drive2_, *dir2_);
  } else if ((name == "Dir1" || name == "Dir2") && notification == LBN_DBLCLK) {
    DirectoryList& dir = name == "Dir1" ? *dir1_ : *dir2_;
    dir.OpenRow(static_cast<int>(SendMessageW(dir.handle(), LB_GETCURSEL, 0, 0)));
  }
}

void Form1::DriveChange(DriveList& drive, DirectoryList& dir) {
  Win32DriveAndDirectory lists(drive, dir);
  platform::DiskFileSystem files(drives_);
  tavrimen::DriveChange(files, lists);
}

std::optional<Side> Form1::SideAt(POINT at) const {
  for (const ControlSpec& control : kForm1Controls) {
    RECT rect;
    GetWindowRect(Control(control.name), &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    if (control.kind != ControlKind::kPanel && PtInRect(&rect, at)) {
      if (auto side = SideOf(control.name)) return side;
    }
  }
  return std::nullopt;
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
  if (close_requested_) DestroyWindow(window_);
}

void Form1::Command2_Click() {
  // During a run's one events pass the window stays until the run has ended.
  if (running_) {
    close_requested_ = true;
  } else {
    DestroyWindow(window_);
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
  RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  // One pass: what is waiting now, up to a marker posted behind it, not what handling it brings.
  PostMessageW(window_, kEndOfPass, 0, 0);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (message.hwnd == window_ && message.message == kEndOfPass) break;
    PreTranslate(message);
  }
}

void Form1::FocusAndSelectAll(TextBox box) {
  HWND text = Control(box == TextBox::kText1 ? "Text1" : "Text2");
  SetFocus(text);
  SendMessageW(text, EM_SETSEL, 0, -1);
}

void Form1::SetPointer(Pointer pointer) {
  hourglass_ = pointer == Pointer::kHourglass;
  // The run does not process events, so the pointer changes now, not at the next mouse move.
  POINT at;
  GetCursorPos(&at);
  HWND under = WindowFromPoint(at);
  if (under == window_ || IsChild(window_, under)) {
    SetCursor(LoadCursorW(nullptr, hourglass_ ? IDC_WAIT : IDC_ARROW));
  }
}

MessageAnswer Form1::ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                                 std::string_view title) {
  // Before the window shows (at start-up), a box has no owner.
  return ShowMessageBox(IsWindowVisible(window_) ? window_ : nullptr, text, icon, buttons, title);
}

}  // namespace tavrimen::win32
