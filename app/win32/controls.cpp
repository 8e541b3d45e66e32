#include "app/win32/controls.h"

#include <commctrl.h>

#include "app/form_layout.h"
#include "app/win32/form_window.h"
#include "app/win32/wide.h"

namespace tavrimen::win32 {
namespace {

constexpr int kFirstControlId = 100;

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

}  // namespace

Controls::Controls(HINSTANCE instance, HWND form) : form_(form) {
  HWND panel = nullptr;
  for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
    const ControlSpec& control = kForm1Controls[i];
    const ControlClass type = ClassOf(control.kind);
    const bool is_panel = control.kind == ControlKind::kPanel;
    HWND created = CreateWindowExW(
        type.extended_style, type.name, Wide(control.caption).c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | type.style, 0, 0, 0, 0, is_panel ? form : panel,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), instance, nullptr);
    handles_.emplace(std::string(control.name), created);
    if (is_panel) panel = created;
  }
  // The tab key follows the windows' order: the controls that take the focus first, in tab
  // order, then the labels, then the frames, which are drawn behind what they hold.
  HWND after = HWND_TOP;
  auto stack = [&](HWND control) {
    SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = control;
  };
  for (const ControlSpec* control : TabOrder()) stack(Get(control->name));
  for (ControlKind kind : {ControlKind::kLabel, ControlKind::kFrame}) {
    for (const ControlSpec& control : kForm1Controls) {
      if (control.kind == kind) stack(Get(control.name));
    }
  }
}

HWND Controls::Get(std::string_view name) const {
  auto found = handles_.find(name);
  return found == handles_.end() ? nullptr : found->second;
}

std::string_view Controls::NameOf(int id) {
  const std::size_t index = static_cast<std::size_t>(id - kFirstControlId);
  if (id < kFirstControlId || index >= kForm1Controls.size()) return {};
  return kForm1Controls[index].name;
}

HWND Controls::FirstInTabOrder() const { return Get(TabOrder().front()->name); }

void Controls::SetFont(HFONT font) const {
  for (const ControlSpec& control : kForm1Controls) {
    SendMessageW(Get(control.name), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

void Controls::Place(UINT dpi) const {
  RECT client;
  GetClientRect(form_, &client);
  const int width = PixelsToTwips(client.right, dpi);
  const int height = PixelsToTwips(client.bottom, dpi);
  auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
  for (const ControlSpec& control : kForm1Controls) {
    HWND handle = Get(control.name);
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
}

}  // namespace tavrimen::win32
