#include "app/win32/shell_drop.h"

#include <string>

#include "app/form_layout.h"

namespace tavrimen::win32 {
namespace {

// The side of the control under a point of the client area, if any.
std::optional<Side> SideAt(POINT at, HWND form, const Controls& controls) {
  for (const ControlSpec& control : kForm1Controls) {
    RECT rect;
    GetWindowRect(controls.Get(control.name), &rect);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
    if (control.kind != ControlKind::kPanel && PtInRect(&rect, at)) {
      if (auto side = SideOf(control.name)) return side;
    }
  }
  return std::nullopt;
}

}  // namespace

void AcceptDrops(HWND form) { DragAcceptFiles(form, TRUE); }

ShellDrop ReadDrop(OwnedDrop drop, HWND form, const Controls& controls) {
  POINT at = {};
  DragQueryPoint(drop.get(), &at);
  ShellDrop read;
  const UINT count = DragQueryFileW(drop.get(), 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(DragQueryFileW(drop.get(), i, nullptr, 0), L'\0');
    DragQueryFileW(drop.get(), i, name.data(), static_cast<UINT>(name.size() + 1));
    read.natives.emplace_back(name);
  }
  read.side = SideAt(at, form, controls);
  return read;
}

}  // namespace tavrimen::win32
