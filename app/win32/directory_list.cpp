#include "app/win32/directory_list.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app/win32/wide.h"
#include "platform/disk_file_system.h"

namespace tavrimen::win32 {
namespace {

OwnedIcon FolderIcon(bool open) {
  SHFILEINFOW info = {};
  UINT flags = SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES;
  if (open) flags |= SHGFI_OPENICON;
  SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags);
  return OwnedIcon(info.hIcon);
}

}  // namespace

DirectoryList::DirectoryList(HWND list_box, platform::DriveTable& drives,
                             std::function<void()> changed)
    : list_box_(list_box),
      drives_(drives),
      changed_(std::move(changed)),
      open_icon_(FolderIcon(true)),
      closed_icon_(FolderIcon(false)) {
  SetWindowSubclass(list_box_, KeyProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

DirectoryList::~DirectoryList() { RemoveWindowSubclass(list_box_, KeyProc, 1); }

bool DirectoryList::SetPath(const std::string& drive_form_path) {
  platform::DiskFileSystem files(drives_);
  auto entries = DirectoryEntries(files, drive_form_path);
  if (!entries) return false;
  const bool changed = drive_form_path != path_;
  path_ = drive_form_path;
  entries_ = std::move(*entries);
  SendMessageW(list_box_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_box_, LB_RESETCONTENT, 0, 0);
  for (const DirectoryEntry& entry : entries_) {
    SendMessageW(list_box_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry.name).c_str()));
  }
  SendMessageW(list_box_, LB_SETCURSEL, ShownFolderRow(entries_), 0);
  ScrollToShownFolder();
  SendMessageW(list_box_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_box_, nullptr, TRUE);
  if (changed && changed_) changed_();
  return true;
}

void DirectoryList::OpenRow(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= entries_.size()) return;
  SetPath(entries_[static_cast<std::size_t>(row)].path);
}

void DirectoryList::OpenSelected() {
  OpenRow(static_cast<int>(SendMessageW(list_box_, LB_GETCURSEL, 0, 0)));
}

void DirectoryList::Resize(UINT dpi, HFONT font) {
  font_ = font;
  icon_size_ = MulDiv(16, static_cast<int>(dpi), 96);
  indent_ = MulDiv(8, static_cast<int>(dpi), 96);
  TEXTMETRICW metrics;
  {
    const WindowDc dc(list_box_);
    const Selected selected(dc, font);
    GetTextMetricsW(dc, &metrics);
  }
  const int height =
      std::max<int>(metrics.tmHeight, icon_size_) + MulDiv(2, static_cast<int>(dpi), 96);
  SendMessageW(list_box_, LB_SETITEMHEIGHT, 0, height);
}

int DirectoryList::LevelIndentNow() const {
  RECT client;
  GetClientRect(list_box_, &client);
  int deepest = 0;
  for (const DirectoryEntry& entry : entries_) deepest = std::max(deepest, entry.level);
  return LevelIndent(indent_, deepest, static_cast<int>(client.right / 2));
}

void DirectoryList::ScrollToShownFolder() {
  if (entries_.empty()) return;
  RECT client;
  GetClientRect(list_box_, &client);
  const int row_height =
      std::max(1, static_cast<int>(SendMessageW(list_box_, LB_GETITEMHEIGHT, 0, 0)));
  const auto visible = static_cast<std::size_t>(std::max<LONG>(1, client.bottom / row_height));
  SendMessageW(list_box_, LB_SETTOPINDEX, FirstVisibleRow(entries_, visible), 0);
  // The widest entry, as Draw places it.
  LONG widest = 0;
  {
    const WindowDc dc(list_box_);
    const Selected selected(dc, font_);
    const int indent = LevelIndentNow();
    for (const DirectoryEntry& entry : entries_) {
      const std::wstring name = Wide(entry.name);
      SIZE text = {};
      GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &text);
      widest = std::max<LONG>(widest, 2 + entry.level * indent + icon_size_ + 4 + text.cx + 4);
    }
  }
  SendMessageW(list_box_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
}

void DirectoryList::Draw(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= entries_.size()) return;
  const DirectoryEntry& entry = entries_[item.itemID];
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int left = item.rcItem.left + 2 + entry.level * LevelIndentNow();
  const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - icon_size_) / 2;
  DrawIconEx(dc, left, top, (entry.open ? open_icon_ : closed_icon_).get(), icon_size_, icon_size_,
             0, nullptr, DI_NORMAL);
  RECT text = item.rcItem;
  text.left = left + icon_size_ + 4;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::wstring name = Wide(entry.name);
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

LRESULT CALLBACK DirectoryList::KeyProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR, DWORD_PTR self) {
  auto* list = reinterpret_cast<DirectoryList*>(self);
  if (message == WM_GETDLGCODE && lparam != 0) {
    const MSG* pending = reinterpret_cast<const MSG*>(lparam);
    if (pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) return DLGC_WANTALLKEYS;
  }
  if (message == WM_KEYDOWN && wparam == VK_RETURN) {
    list->OpenSelected();
    return 0;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace tavrimen::win32
