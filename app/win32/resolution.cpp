#include "app/win32/resolution.h"

#include <string>
#include <string_view>

#include "app/form_layout.h"
#include "app/win32/form_window.h"
#include "app/win32/wide.h"

namespace tavrimen::win32 {
namespace {

// A function of user32 that older systems lack, looked up at run time.
template <typename Function>
Function User32(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

bool FontExists(std::wstring_view family) {
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(
      WindowDc(nullptr), &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM seen) -> int {
        *reinterpret_cast<bool*>(seen) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The window font: the first Japanese UI font the system has, at the size that draws the
// 16-pixel full-width glyphs of the classic 13.5-point System font (at 96 dots per inch).
OwnedFont WindowFont(UINT dpi) {
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
  return OwnedFont(CreateFontIndirectW(&font));
}

}  // namespace

UINT Resolution::DpiOf(HWND window) {
  static const auto get_dpi = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (get_dpi != nullptr) {
    if (const UINT dpi = get_dpi(window)) return dpi;
  }
  const int dpi = GetDeviceCaps(WindowDc(window), LOGPIXELSY);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

OwnedFont Resolution::Change(UINT dpi) {
  dpi_ = dpi;
  OwnedFont before = std::move(font_);
  font_ = WindowFont(dpi);
  return before;
}

SIZE Resolution::InitialOuterSize() const {
  RECT rect = {0, 0, TwipsToPixels(kClientWidthTwips, dpi_),
               TwipsToPixels(kClientHeightTwips, dpi_)};
  static const auto adjust_for_dpi =
      User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  if (adjust_for_dpi == nullptr || !adjust_for_dpi(&rect, kFormStyle, FALSE, 0, dpi_)) {
    AdjustWindowRectEx(&rect, kFormStyle, FALSE, 0);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace tavrimen::win32
