// The controls of the main window, made from the core's layout table: created with the table's
// names and captions, stacked so that the tab key follows the table's tab order, and placed where
// the table puts them for the window's present size.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace tavrimen::win32 {

class Controls {
 public:
  // Creates every control of the table in `form`: the panel in the window itself, the others in
  // the panel. They are destroyed with the window.
  Controls(HINSTANCE instance, HWND form);

  // The control of that name ("Text1", "Command1", "Dir2", ...); none for another name.
  HWND Get(std::string_view name) const;
  // The name of the control whose notifications carry `id`; empty for none of them.
  static std::string_view NameOf(int id);
  // The first control of the tab order, which has the focus when the window shows.
  HWND FirstInTabOrder() const;

  // Gives every control `font`.
  void SetFont(HFONT font) const;
  // Places every control for the window's present client area at `dpi` dots per inch.
  void Place(UINT dpi) const;

 private:
  HWND form_;
  std::map<std::string, HWND, std::less<>> handles_;
};

}  // namespace tavrimen::win32
