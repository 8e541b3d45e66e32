// The real Windows window, created, typed into and clicked as a user would. Message boxes are
// caught by a CBT hook when they are activated, read (text, title, icon, buttons, owner) and
// answered with a posted button click, never by a timer.
#include "app/win32/form1.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <vector>

#include "app/conversion_run.h"
#include "app/form_layout.h"
#include "app/start_up.h"
#include "app/win32/wide.h"
#include "platform/paths.h"
#include "support/data_set.h"
#include "support/drive_table.h"
#include "support/environment.h"

namespace tavrimen::win32 {
namespace {

namespace fs = std::filesystem;
using testing::MinimalBoring;
using testing::ReadFile;
using testing::ScopedDrives;
using testing::SetEnv;
using testing::StandardPatdat;
using testing::TempFolder;
using testing::WriteCp932;
using testing::WriteFiles;

struct SeenBox {
  std::string text;
  std::string title;
  MessageIcon icon = MessageIcon::kNone;
  std::vector<int> buttons;  // IDOK, IDYES, IDNO
  HWND owner = nullptr;
  bool owner_busy = false;  // the owner showed the wait cursor behind the box
  bool other_icon = false;  // an icon that is none of the three
};

// Whether the window sets the wait cursor when the pointer moves over it.
bool OwnerShowsWaitCursor(HWND owner) {
  if (owner == nullptr) return false;
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  SendMessageW(owner, WM_SETCURSOR, reinterpret_cast<WPARAM>(owner),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
}

MessageIcon IconOf(HICON icon) {
  if (icon == LoadIconW(nullptr, IDI_EXCLAMATION)) return MessageIcon::kExclamation;
  if (icon == LoadIconW(nullptr, IDI_QUESTION)) return MessageIcon::kQuestion;
  if (icon == LoadIconW(nullptr, IDI_INFORMATION)) return MessageIcon::kInformation;
  return MessageIcon::kNone;
}

// Reads every message box of this thread as soon as it has set itself up (its WM_INITDIALOG has
// returned) and presses the answer queued for a question, or its only button.
class BoxAnswerer {
 public:
  BoxAnswerer() {
    current_ = this;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, Hook, nullptr, GetCurrentThreadId());
  }
  ~BoxAnswerer() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }

  std::vector<SeenBox> seen;
  std::deque<int> answers;  // IDYES or IDNO, one per question

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG && current_ != nullptr) {
      current_->Answer(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  void Answer(HWND box) {
    wchar_t class_name[16] = {};
    GetClassNameW(box, class_name, 16);
    if (std::wstring_view(class_name) != L"#32770") return;
    SeenBox s;
    s.title = WindowText(box);
    s.owner = GetWindow(box, GW_OWNER);
    s.owner_busy = OwnerShowsWaitCursor(s.owner);
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      GetClassNameW(child, class_name, 16);
      const LONG style = GetWindowLongW(child, GWL_STYLE);
      if (!(style & WS_VISIBLE)) continue;  // the box itself is not shown yet
      if (_wcsicmp(class_name, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        s.icon = IconOf(icon);
        s.other_icon = icon != nullptr && s.icon == MessageIcon::kNone;
      } else if (_wcsicmp(class_name, L"Static") == 0 && GetWindowTextLengthW(child) > 0) {
        s.text = WindowText(child);
      } else if (_wcsicmp(class_name, L"Button") == 0) {
        s.buttons.push_back(GetDlgCtrlID(child));
      }
    }
    int press = IDOK;
    if (s.buttons.size() > 1) {
      press = answers.empty() ? IDNO : answers.front();
      if (!answers.empty()) answers.pop_front();
    }
    seen.push_back(s);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, press)));
  }

  static inline BoxAnswerer* current_ = nullptr;
  HHOOK hook_;
};

// Drive T: is a temporary folder holding patdat\, src\B-1\ and out\; drive U: stands for a folder
// that does not exist.
class Form1Test : public ::testing::Test {
 protected:
  Form1Test() : drives_("T=" + root_.path().string() + ";U=" + (root_.path() / "gone").string()) {
    SetEnv("TAVRIMEN_SYSTEM_DIR", platform::Utf8String(root_.path() / "system"));
    fs::create_directories(root_.path() / "system");
    WriteFiles(root_.path() / "patdat", StandardPatdat());
    WriteFiles(root_.path() / "src" / "B-1", MinimalBoring());
    fs::create_directories(root_.path() / "out");
    WriteSetting("T:\\patdat\\");
  }

  void WriteSetting(const std::string& patdat) {
    WriteCp932(root_.path() / "system" / "PatdatV5.ini", "[PATDAT]\n" + patdat + "\n");
  }

  // A window that has passed its start-up and is shown.
  std::unique_ptr<Form1> OpenWindow() {
    auto form = std::make_unique<Form1>(GetModuleHandleW(nullptr));
    EXPECT_TRUE(form->Form_Load());
    form->Show(SW_SHOWNORMAL);
    Pump();
    return form;
  }

  static void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  // Types `text` into a text box character by character, replacing what it held.
  static void Type(Form1& form, const char* box, std::string_view text) {
    HWND edit = form.Control(box);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CLEAR, 0, 0);
    for (wchar_t c : Wide(text)) SendMessageW(edit, WM_CHAR, c, 1);
  }

  // A key pressed on the focused control, through the window's message loop.
  static void Key(Form1& form, WPARAM key) {
    MSG message = {GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    form.PreTranslate(message);
    message.message = WM_KEYUP;
    form.PreTranslate(message);
    Pump();
  }

  static void Click(Form1& form, const char* button) {
    SendMessageW(form.Control(button), BM_CLICK, 0, 0);
    Pump();
  }

  static std::string Label3(Form1& form) { return WindowText(form.Control("Label3")); }

  // A control's rectangle in the window's client area.
  static RECT Where(Form1& form, std::string_view control) {
    RECT rect;
    GetWindowRect(form.Control(control), &rect);
    MapWindowPoints(nullptr, form.handle(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  // Drops `paths` on the middle of a control as the shell does: WM_DROPFILES with a DROPFILES
  // block, which the window frees.
  static void DropOn(Form1& form, const char* control, const std::vector<fs::path>& paths) {
    const RECT rect = Where(form, control);
    std::wstring names;
    for (const fs::path& path : paths) names += path.wstring() + L'\0';
    names += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    drop->fWide = TRUE;
    std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    SendMessageW(form.handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    Pump();
  }

  // Nothing overlaps: no two controls unless one holds the other, and no label's caption wider
  // than the label (so that the text box beside it cannot cover it).
  static void ExpectNothingOverlaps(Form1& form) {
    auto holds = [](const ControlSpec& outer, const ControlSpec& inner) {
      for (std::string_view c = inner.container; c != "Form1"; c = Form1Control(c).container) {
        if (c == outer.name) return true;
      }
      return false;
    };
    for (const ControlSpec& a : kForm1Controls) {
      for (const ControlSpec& b : kForm1Controls) {
        if (&a >= &b || holds(a, b) || holds(b, a)) continue;
        RECT ra = Where(form, a.name), rb = Where(form, b.name), both;
        if (a.kind == ControlKind::kDriveList) ra.bottom = ra.top + 1;  // its closed field only
        if (b.kind == ControlKind::kDriveList) rb.bottom = rb.top + 1;
        EXPECT_FALSE(IntersectRect(&both, &ra, &rb)) << a.name << " " << b.name;
      }
    }
    for (const char* name : {"Label1", "Label2"}) {
      HWND label = form.Control(name);
      HDC dc = GetDC(label);
      HGDIOBJ old =
          SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
      const std::wstring caption = Wide(WindowText(label));
      SIZE extent = {};
      GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
      SelectObject(dc, old);
      ReleaseDC(label, dc);
      const RECT rect = Where(form, name);
      EXPECT_LE(extent.cx, rect.right - rect.left) << name;
    }
  }
  static bool Busy(Form1& form) { return OwnerShowsWaitCursor(form.handle()); }

  static std::string Focused(Form1& form) {
    for (const ControlSpec& control : kForm1Controls) {
      if (form.Control(control.name) == GetFocus()) return std::string(control.name);
    }
    return "";
  }

  // Whether the whole text of the focused text box is selected.
  static bool AllSelected(Form1& form, const char* box) {
    DWORD start = 0, end = 0;
    SendMessageW(form.Control(box), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return start == 0 && static_cast<int>(end) == GetWindowTextLengthW(form.Control(box));
  }

  TempFolder root_;
  ScopedDrives drives_;
  BoxAnswerer boxes_;
};

TEST_F(Form1Test, ControlsFollowTheLayoutTableAtTheWindowsResolution) {
  auto form = OpenWindow();
  EXPECT_EQ(WindowText(form->handle()), kWindowCaption);
  const UINT dpi = form->dpi();
  RECT client;
  GetClientRect(form->handle(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(kClientWidthTwips, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeightTwips, dpi));
  for (const ControlSpec& control : kForm1Controls) {
    SCOPED_TRACE(std::string(control.name));
    HWND handle = form->Control(control.name);
    ASSERT_NE(handle, nullptr);
    if (!control.caption.empty()) {
      EXPECT_EQ(WindowText(handle), control.caption);
    }
    RECT rect;
    GetWindowRect(handle, &rect);
    MapWindowPoints(nullptr, form->handle(), reinterpret_cast<POINT*>(&rect), 2);
    const TwipsRect twips = InClientArea(control);
    EXPECT_EQ(rect.left, TwipsToPixels(twips.left, dpi));
    EXPECT_EQ(rect.top, TwipsToPixels(twips.top, dpi));
    EXPECT_EQ(rect.right - rect.left, TwipsToPixels(twips.width, dpi));
    // A drop-down list's field is as high as the font makes it.
    if (control.kind != ControlKind::kDriveList) {
      EXPECT_EQ(rect.bottom - rect.top, TwipsToPixels(twips.height, dpi));
    }
  }
  // Centred on the screen by its outer size.
  RECT outer;
  GetWindowRect(form->handle(), &outer);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(form->handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& screen = monitor.rcMonitor;
  EXPECT_LE(std::abs((outer.left + outer.right) - (screen.left + screen.right)), 1);
  EXPECT_LE(std::abs((outer.top + outer.bottom) - (screen.top + screen.bottom)), 1);
  // The tab key walks the controls in the order of their tab indices, starting at Dir1.
  std::vector<std::string> order{Focused(*form)};
  for (std::size_t i = 1; i < TabOrder().size(); ++i) {
    Key(*form, VK_TAB);
    order.push_back(Focused(*form));
  }
  std::vector<std::string> expected;
  for (const ControlSpec* control : TabOrder()) expected.emplace_back(control->name);
  EXPECT_EQ(order, expected);
  // Both folder boxes start with the current folder; the status line is empty.
  const platform::DriveTable& drives = form->drives();
  EXPECT_EQ(WindowText(form->Control("Text1")), drives.CurrentDirectoryOf(drives.CurrentDrive()));
  EXPECT_EQ(WindowText(form->Control("Text2")), drives.CurrentDirectoryOf(drives.CurrentDrive()));
  EXPECT_EQ(Label3(*form), "");
}

TEST_F(Form1Test, ConvertsAnAcceptanceDataSet) {
  const fs::path acceptance = fs::path(TAVRIMEN_ACCEPTANCE_DIR) / "cases" / "07-layer-merge";
  ASSERT_TRUE(fs::exists(acceptance)) << "no acceptance data sets at " << acceptance;
  fs::copy(acceptance, root_.path() / "case", fs::copy_options::recursive);
  WriteSetting("T:\\case\\patdat\\");
  auto form = OpenWindow();
  Type(*form, "Text2", "T:\\case\\src\\B-7");
  Type(*form, "Text1", "T:\\out");
  Click(*form, "Command1");
  EXPECT_TRUE(boxes_.seen.empty());
  EXPECT_EQ(Label3(*form), kConvertedText);
  EXPECT_FALSE(Busy(*form));
  EXPECT_EQ(ReadFile(root_.path() / "out" / "B-7"),
            ReadFile(root_.path() / "case" / "expected" / "B-7"));
}

TEST_F(Form1Test, JapaneseFolderNamesConvert) {
  WriteFiles(root_.path() / "src" / platform::Utf8Path("南棟-No.3"), MinimalBoring());
  auto form = OpenWindow();
  Type(*form, "Text2", "T:\\src\\南棟-No.3");
  Type(*form, "Text1", "T:\\記録ファイル");
  boxes_.answers = {IDYES};
  Click(*form, "Command1");
  EXPECT_EQ(Label3(*form), kConvertedText);
  EXPECT_EQ(
      testing::Readable(ReadFile(root_.path() / platform::Utf8Path("記録ファイル/南棟-No.3"))),
      testing::MinimalRecordFile());
}

TEST_F(Form1Test, EnterPressesTheFocusedButton) {
  auto form = OpenWindow();
  Type(*form, "Text2", "T:\\src\\B-1");
  Type(*form, "Text1", "T:\\out");
  SetFocus(form->Control("Command1"));
  Key(*form, VK_RETURN);
  EXPECT_EQ(Label3(*form), kConvertedText);
  SetFocus(form->Control("Command2"));
  Key(*form, VK_RETURN);
  EXPECT_FALSE(IsWindow(form->handle()));
}

TEST_F(Form1Test, EachRefusalShowsItsMessageAndMovesTheFocus) {
  struct Case {
    const char* source;
    const char* destination;
    std::string_view message;
    std::string title;
    const char* focus;  // and its whole text selected; "Command1" when the focus stays
    bool busy;          // the wait cursor shows behind the box
  };
  fs::create_directories(root_.path() / "src" / "NO-X1");
  const Case cases[] = {
      {"Q:\\nowhere", "T:\\out", kBadPathMessage, "Q:\\nowhere", "Text2", false},
      {"T:\\src\\B-1", "  ", kBadPathMessage, "", "Text1", false},
      {"T:\\src\\B-1", "T:\\out\\", kTrailingBackslashMessage, "T:\\src\\B-1\\", "Command1", false},
      {"T:\\src\\NONE", "T:\\out", kNoSourceFolderMessage, "T:\\src\\NONE\\", "Text2", true},
      {"T:\\src\\NO-X1", "T:\\out", kNoGeologyMessage, "T:\\out\\", "Text1", true},
  };
  auto form = OpenWindow();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    boxes_.seen.clear();
    Type(*form, "Text2", c.source);
    Type(*form, "Text1", c.destination);
    Click(*form, "Command1");
    // The path check may have shown its drive-name message first.
    ASSERT_FALSE(boxes_.seen.empty());
    const SeenBox& box = boxes_.seen.back();
    EXPECT_EQ(box.text, c.message);
    EXPECT_EQ(box.title, c.title);
    EXPECT_EQ(box.icon, MessageIcon::kExclamation);
    EXPECT_FALSE(box.other_icon);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box.owner, form->handle());
    EXPECT_EQ(box.owner_busy, c.busy);
    EXPECT_EQ(Focused(*form), c.focus);
    if (std::string_view(c.focus).starts_with("Text")) {
      EXPECT_TRUE(AllSelected(*form, c.focus));
    }
    EXPECT_EQ(Label3(*form), "");
    EXPECT_FALSE(Busy(*form));
  }
  EXPECT_TRUE(fs::is_empty(root_.path() / "out"));
  // The probe of the refused data set leaves an empty X1.txt behind.
  EXPECT_EQ(fs::file_size(root_.path() / "src" / "NO-X1" / "X1.txt"), 0u);
}

TEST_F(Form1Test, MissingDestinationIsCreatedOnlyAfterYes) {
  auto form = OpenWindow();
  Type(*form, "Text2", "T:\\src\\B-1");
  Type(*form, "Text1", "T:\\new\\a\\b");
  boxes_.answers = {IDNO};
  Click(*form, "Command1");
  ASSERT_EQ(boxes_.seen.size(), 1u);
  EXPECT_EQ(boxes_.seen[0].text, kCreateFolderQuestion);
  EXPECT_EQ(boxes_.seen[0].title, kAppTitle);
  EXPECT_EQ(boxes_.seen[0].icon, MessageIcon::kQuestion);
  EXPECT_EQ(boxes_.seen[0].buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(boxes_.seen[0].owner, form->handle());
  EXPECT_EQ(Label3(*form), "");
  EXPECT_FALSE(fs::exists(root_.path() / "new"));

  boxes_.answers = {IDYES};
  Click(*form, "Command1");
  ASSERT_EQ(boxes_.seen.size(), 2u);
  EXPECT_EQ(Label3(*form), kConvertedText);
  EXPECT_EQ(boxes_.seen[1].text, kCreateFolderQuestion);
  EXPECT_EQ(testing::Readable(ReadFile(root_.path() / "new" / "a" / "b" / "B-1")),
            testing::MinimalRecordFile());
  EXPECT_FALSE(Busy(*form));
}

TEST_F(Form1Test, StartUpWithoutAUsableSettingShowsTheMessageAndRefusesToRun) {
  // No setting, and a setting naming a folder that does not exist.
  for (const char* setting : {"", "T:\\missing\\"}) {
    SCOPED_TRACE(setting);
    boxes_.seen.clear();
    if (*setting == '\0') {
      fs::remove(root_.path() / "system" / "PatdatV5.ini");
    } else {
      WriteSetting(setting);
    }
    Form1 form(GetModuleHandleW(nullptr));
    EXPECT_FALSE(form.Form_Load());
    ASSERT_EQ(boxes_.seen.size(), 1u);
    EXPECT_EQ(boxes_.seen[0].text, kNoPatdatMessage);
    EXPECT_EQ(boxes_.seen[0].title, kAppTitle);
    EXPECT_EQ(boxes_.seen[0].icon, MessageIcon::kNone);
    EXPECT_FALSE(boxes_.seen[0].other_icon);
    EXPECT_EQ(boxes_.seen[0].buttons, std::vector<int>{IDOK});
    EXPECT_EQ(boxes_.seen[0].owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(form.handle()));
  }
}

// The program itself: the start-up message, then a non-zero exit status.
TEST_F(Form1Test, ProgramWithoutSettingEndsWithNonZeroStatus) {
  fs::remove(root_.path() / "system" / "PatdatV5.ini");
  std::wstring command = L"\"" + Wide(TAVRIMEN_WINDOW_PATH) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  // The program never outlives the test, whatever fails.
  struct Ender {
    PROCESS_INFORMATION& process;
    ~Ender() {
      TerminateProcess(process.hProcess, 99);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  } ender{process};
  // Find the program's message box and press its OK button.
  HWND box = nullptr;
  for (int i = 0; i < 300 && box == nullptr; ++i) {
    Sleep(100);
    box = FindWindowW(L"#32770", Wide(kAppTitle).c_str());
  }
  ASSERT_NE(box, nullptr) << "no message box";
  wchar_t text[64] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 64);
  EXPECT_EQ(Utf8(text), kNoPatdatMessage);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  EXPECT_NE(status, 0u);
}

TEST_F(Form1Test, ChoosingAFolderInDir1OverwritesText1) {
  testing::ScopedWorkingDirectory working(root_.path());
  auto form = OpenWindow();
  HWND dir1 = form->Control("Dir1");
  const LRESULT shown_row = SendMessageW(dir1, LB_GETCURSEL, 0, 0);
  Type(*form, "Text1", "T:\\typed by hand");
  EXPECT_EQ(WindowText(form->Control("Text1")), "T:\\typed by hand");
  EXPECT_EQ(SendMessageW(dir1, LB_GETCURSEL, 0, 0), shown_row);  // Dir1 does not follow
  // Double-click the "out" folder below T:\ in Dir1.
  const int row = static_cast<int>(SendMessageW(dir1, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(L"out")));
  ASSERT_GE(row, 0);
  RECT item;
  SendMessageW(dir1, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM(item.left + 30, (item.top + item.bottom) / 2);
  SendMessageW(dir1, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(dir1, WM_LBUTTONUP, 0, at);
  SendMessageW(dir1, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(dir1, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(WindowText(form->Control("Text1")), "T:\\out");
  EXPECT_EQ(form->drives().CurrentDirectoryOf('T'), "T:\\out");
  EXPECT_EQ(form->drives().CurrentDrive(), 'T');
  EXPECT_EQ(WindowText(form->Control("Text2")), "T:\\");  // the other side stays
}

TEST_F(Form1Test, UnreadableDriveFallsBackToTheFirstEntry) {
  auto form = OpenWindow();
  HWND drive2 = form->Control("Drive2");
  const int unreadable = static_cast<int>(SendMessageW(
      drive2, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"u:")));
  ASSERT_GT(unreadable, 0);
  // Choose it as the user does: the selection changes, then the list tells its parent.
  SendMessageW(drive2, CB_SETCURSEL, unreadable, 0);
  SendMessageW(GetParent(drive2), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drive2), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(drive2));
  Pump();
  EXPECT_EQ(SendMessageW(drive2, CB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(boxes_.seen.empty());
  const platform::DriveTable& drives = form->drives();
  const std::string first_drive = drives.CurrentDirectoryOf(drives.Drives().front().letter);
  EXPECT_EQ(WindowText(form->Control("Text2")), first_drive);
}

TEST_F(Form1Test, WindowGrowsFromItsInitialSizeAndAtTwiceTheResolution) {
  auto form = OpenWindow();
  RECT outer;
  GetWindowRect(form->handle(), &outer);
  MINMAXINFO limits = {};
  SendMessageW(form->handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, outer.right - outer.left);
  EXPECT_EQ(limits.ptMinTrackSize.y, outer.bottom - outer.top);
  EXPECT_TRUE(GetWindowLongW(form->handle(), GWL_STYLE) & WS_MAXIMIZEBOX);
  ExpectNothingOverlaps(*form);

  const RECT list = Where(*form, "Dir2");
  const RECT button = Where(*form, "Command1");
  const int wider = 300, taller = 200;
  SetWindowPos(form->handle(), nullptr, 0, 0, outer.right - outer.left + wider,
               outer.bottom - outer.top + taller, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  const RECT grown = Where(*form, "Dir2");
  EXPECT_NEAR(grown.right - grown.left, list.right - list.left + wider / 2, 2);
  EXPECT_NEAR(grown.bottom - grown.top, list.bottom - list.top + taller, 2);
  EXPECT_NEAR(Where(*form, "Command1").left, button.left + wider / 2, 2);  // still centred
  ExpectNothingOverlaps(*form);

  // Moved to a screen at 192 dots per inch, the window takes the size the system suggests.
  GetWindowRect(form->handle(), &outer);
  RECT suggested = {outer.left, outer.top, outer.left + 2 * (outer.right - outer.left),
                    outer.top + 2 * (outer.bottom - outer.top)};
  SendMessageW(form->handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&suggested));
  Pump();
  EXPECT_EQ(form->dpi(), 192u);
  ExpectNothingOverlaps(*form);
}

TEST_F(Form1Test, DroppedFolderFillsItsSide) {
  auto form = OpenWindow();
  DropOn(*form, "Text2", {root_.path() / "src" / "B-1"});
  EXPECT_EQ(WindowText(form->Control("Text2")), "T:\\src\\B-1");
  DropOn(*form, "Dir1", {root_.path() / "out"});
  EXPECT_EQ(WindowText(form->Control("Text1")), "T:\\out");
  EXPECT_TRUE(boxes_.seen.empty());

  DropOn(*form, "Frame1", {root_.path() / "src", root_.path() / "out"});
  DropOn(*form, "Label2", {root_.path() / "src" / "B-1" / "X1.txt"});
  ASSERT_EQ(boxes_.seen.size(), 2u);
  EXPECT_EQ(boxes_.seen[0].text, kDropOneFolderMessage);
  EXPECT_EQ(boxes_.seen[1].text, kDropFoldersOnlyMessage);
  EXPECT_EQ(WindowText(form->Control("Text1")), "T:\\out");
  Type(*form, "Text1", "T:\\out");
  Click(*form, "Command1");
  EXPECT_EQ(Label3(*form), kConvertedText);
}

}  // namespace
}  // namespace tavrimen::win32
