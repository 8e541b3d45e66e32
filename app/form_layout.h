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

// How much of the window's growth beyond its initial size a control takes, in one direction: none,
// the first half (rounded down), the second half, or all of it.
enum class Share { kNone, kFirstHalf, kSecondHalf, kAll };

// How a control follows the window when it grows: it moves right and down, and grows wider and
// taller, by these shares of the growth.
struct Growth {
  Share move_x = Share::kNone;
  Share grow_x = Share::kNone;
  Share move_y = Share::kNone;
  Share grow_y = Share::kNone;
};

struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;
  std::string_view container;  // "Form1" or the name of another control
  TwipsRect twips;             // relative to the container, at the initial size
  int tab_index;
  Growth growth;
};

namespace growth {
inline constexpr Share kNone = Share::kNone, kFirstHalf = Share::kFirstHalf,
                       kSecondHalf = Share::kSecondHalf, kAll = Share::kAll;
// The text boxes, the message frame and the status line widen with the window; the two folder
// frames share the extra width and take all the extra height, their directory lists with them,
// the drive lists below; the buttons stay centred below everything.
inline constexpr Growth kWidens{kNone, kAll, kNone, kNone};
inline constexpr Growth kPanel{kNone, kAll, kNone, kAll};
inline constexpr Growth kMessageFrame{kNone, kAll, kAll, kNone};
inline constexpr Growth kButton{kFirstHalf, kNone, kAll, kNone};
inline constexpr Growth kSourceFrame{kNone, kFirstHalf, kNone, kAll};
inline constexpr Growth kSourceDrive{kNone, kFirstHalf, kAll, kNone};
inline constexpr Growth kDestinationFrame{kFirstHalf, kSecondHalf, kNone, kAll};
inline constexpr Growth kDestinationDirectory{kNone, kSecondHalf, kNone, kAll};
inline constexpr Growth kDestinationDrive{kNone, kSecondHalf, kAll, kNone};
inline constexpr Growth kFixed{};
}  // namespace growth

inline constexpr std::array<ControlSpec, 15> kForm1Controls = {{
    {"Picture1", ControlKind::kPanel, "", "Form1", {0, 0, 9075, 6495}, 0, growth::kPanel},
    {"Frame3",
     ControlKind::kFrame,
     "メッセージ",
     "Picture1",
     {240, 4740, 8475, 675},
     13,
     growth::kMessageFrame},
    {"Label3", ControlKind::kLabel, "", "Frame3", {180, 240, 8175, 315}, 14, growth::kWidens},
    {"Text2", ControlKind::kTextBox, "", "Picture1", {2400, 240, 6255, 405}, 12, growth::kWidens},
    {"Text1", ControlKind::kTextBox, "", "Picture1", {2400, 840, 6255, 405}, 9, growth::kWidens},
    {"Command2",
     ControlKind::kButton,
     "終  了",
     "Picture1",
     {5160, 5580, 2055, 555},
     8,
     growth::kButton},
    {"Command1",
     ControlKind::kButton,
     "実  行",
     "Picture1",
     {2520, 5580, 1935, 555},
     7,
     growth::kButton},
    {"Frame2",
     ControlKind::kFrame,
     "変換元フォルダ名選択",
     "Picture1",
     {1200, 1620, 3135, 2895},
     4,
     growth::kSourceFrame},
    {"Drive2",
     ControlKind::kDriveList,
     "",
     "Frame2",
     {240, 2220, 2595, 390},
     6,
     growth::kSourceDrive},
    {"Dir2",
     ControlKind::kDirectoryList,
     "",
     "Frame2",
     {240, 420, 2595, 1530},
     5,
     growth::kSourceFrame},
    {"Frame1",
     ControlKind::kFrame,
     "変換先フォルダ名選択",
     "Picture1",
     {4980, 1620, 2895, 2895},
     1,
     growth::kDestinationFrame},
    {"Drive1",
     ControlKind::kDriveList,
     "",
     "Frame1",
     {240, 2220, 2415, 390},
     3,
     growth::kDestinationDrive},
    {"Dir1",
     ControlKind::kDirectoryList,
     "",
     "Frame1",
     {240, 420, 2415, 1530},
     2,
     growth::kDestinationDirectory},
    {"Label2",
     ControlKind::kLabel,
     "変換元フォルダ名 ：",
     "Picture1",
     {240, 300, 2235, 315},
     11,
     growth::kFixed},
    {"Label1",
     ControlKind::kLabel,
     "変換先フォルダ名 ：",
     "Picture1",
     {240, 900, 2235, 315},
     10,
     growth::kFixed},
}};

// The control of that name; the name must be one of the table's.
const ControlSpec& Form1Control(std::string_view name);

// The control's place in its container in a client area of `client_width` by `client_height`
// twips, which is never smaller than the initial size: the table's place, grown as the control's
// growth says. A label that reaches into the text box beside it stands that much further left, so
// that the box does not cover the end of its caption.
TwipsRect LaidOut(const ControlSpec& control, int client_width = kClientWidthTwips,
                  int client_height = kClientHeightTwips);

// The control's place relative to the window's client area: the offsets of its containers added.
TwipsRect InClientArea(const ControlSpec& control, int client_width = kClientWidthTwips,
                       int client_height = kClientHeightTwips);

// Pixels for `twips` at `dots_per_inch`, rounded to the nearest pixel, and back.
int TwipsToPixels(int twips, double dots_per_inch);
int PixelsToTwips(int pixels, double dots_per_inch);

// The controls that take the focus (text boxes, buttons, drive and directory lists), in the order
// of the tab key.
std::vector<const ControlSpec*> TabOrder();

// The origin that centres a window of `window_extent` on a screen along one axis.
int CentredOrigin(int screen_origin, int screen_extent, int window_extent);

}  // namespace tavrimen
