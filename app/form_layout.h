// The main window's layout, as every window toolkit builds it: each control's name, kind, caption,
// container, position and size in twips (1/1440 inch) and tab index, in the order of the window's
// control list. The Qt and Win32 windows both build Form1 from this one table.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tavrimen {

inline constexpr std::string_view kWindowCaption = "Kolumna_S -> User(Pv) 変換プログラム";

// The window's client area in twips.
inline constexpr int kClientWidthTwips = 9090;
inline constexpr int kClientHeightTwips = 6495;

// The light grey of the panel, the frames and the labels, as 0xRRGGBB.
inline constexpr std::uint32_t kLightGrey = 0xC0C0C0;

// The window font: the classic "System" font at 13.5 points where it exists. An outline font takes
// 12 points for the same 16-pixel full-width glyphs, so that every caption fits its control.
inline constexpr double kSystemFontPoints = 13.5;
inline constexpr double kOutlineFontPoints = 12;
// Japanese UI fonts, best first: the Windows ones, then those of Linux desktops (proportional
// ones first, as the Windows UI fonts are).
inline constexpr std::array<std::string_view, 6> kJapaneseUiFonts = {
    "MS UI Gothic", "Yu Gothic UI", "Meiryo UI", "IPAPGothic", "Noto Sans CJK JP", "IPAGothic"};

enum class ControlKind { kPanel, kFrame, kLabel, kTextBox, kButton, kDriveList, kDirectoryList };

struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;
  std::string_view container;  // "Form1" or the name of another control
  TwipsRect twips;             // relative to the container
  int tab_index;
};

inline constexpr std::array<ControlSpec, 15> kForm1Controls = {{
    {"Picture1", ControlKind::kPanel, "", "Form1", {0, 0, 9075, 6495}, 0},
    {"Frame3", ControlKind::kFrame, "メッセージ", "Picture1", {240, 4740, 8475, 675}, 13},
    {"Label3", ControlKind::kLabel, "", "Frame3", {180, 240, 8175, 315}, 14},
    {"Text2", ControlKind::kTextBox, "", "Picture1", {2400, 240, 6255, 405}, 12},
    {"Text1", ControlKind::kTextBox, "", "Picture1", {2400, 840, 6255, 405}, 9},
    {"Command2", ControlKind::kButton, "終  了", "Picture1", {5160, 5580, 2055, 555}, 8},
    {"Command1", ControlKind::kButton, "実  行", "Picture1", {2520, 5580, 1935, 555}, 7},
    {"Frame2",
     ControlKind::kFrame,
     "変換元フォルダ名選択",
     "Picture1",
     {1200, 1620, 3135, 2895},
     4},
    {"Drive2", ControlKind::kDriveList, "", "Frame2", {240, 2220, 2595, 390}, 6},
    {"Dir2", ControlKind::kDirectoryList, "", "Frame2", {240, 420, 2595, 1530}, 5},
    {"Frame1",
     ControlKind::kFrame,
     "変換先フォルダ名選択",
     "Picture1",
     {4980, 1620, 2895, 2895},
     1},
    {"Drive1", ControlKind::kDriveList, "", "Frame1", {240, 2220, 2415, 390}, 3},
    {"Dir1", ControlKind::kDirectoryList, "", "Frame1", {240, 420, 2415, 1530}, 2},
    {"Label2", ControlKind::kLabel, "変換元フォルダ名 ：", "Picture1", {240, 300, 2235, 315}, 11},
    {"Label1", ControlKind::kLabel, "変換先フォルダ名 ：", "Picture1", {240, 900, 2235, 315}, 10},
}};

// The control of that name; the name must be one of the table's.
const ControlSpec& Form1Control(std::string_view name);

// The control's position relative to the window's client area: the offsets of its containers
// added.
TwipsRect InClientArea(const ControlSpec& control);

// Pixels for `twips` at `dots_per_inch`, rounded to the nearest pixel.
int TwipsToPixels(int twips, double dots_per_inch);

// The controls that take the focus (text boxes, buttons, drive and directory lists), in the order
// of the tab key.
std::vector<const ControlSpec*> TabOrder();

// The origin that centres a window of `window_extent` on a screen along one axis.
int CentredOrigin(int screen_origin, int screen_extent, int window_extent);

}  // namespace tavrimen
