#include "app/form_layout.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tavrimen {

const ControlSpec& Form1Control(std::string_view name) {
  for (const ControlSpec& control : kForm1Controls) {
    if (control.name == name) return control;
  }
  throw std::invalid_argument("no control named " + std::string(name));
}

namespace {

int Part(Share share, int growth) {
  switch (share) {
    case Share::kNone:
      return 0;
    case Share::kFirstHalf:
      return growth / 2;
    case Share::kSecondHalf:
      return growth - growth / 2;
    case Share::kAll:
      return growth;
  }
  return 0;
}

bool SameRow(const TwipsRect& a, const TwipsRect& b) {
  return a.top < b.top + b.height && b.top < a.top + a.height;
}

}  // namespace

TwipsRect LaidOut(const ControlSpec& control, int client_width, int client_height) {
  const int dx = std::max(0, client_width - kClientWidthTwips);
  const int dy = std::max(0, client_height - kClientHeightTwips);
  const Growth& g = control.growth;
  TwipsRect rect = control.twips;
  rect.left += Part(g.move_x, dx);
  rect.width += Part(g.grow_x, dx);
  rect.top += Part(g.move_y, dy);
  rect.height += Part(g.grow_y, dy);
  if (control.kind == ControlKind::kLabel) {
    for (const ControlSpec& box : kForm1Controls) {
      const int overlap = control.twips.left + control.twips.width - box.twips.left;
      if (box.kind == ControlKind::kTextBox && box.container == control.container &&
          SameRow(box.twips, control.twips) && overlap > 0 && box.twips.left > control.twips.left) {
        rect.left -= overlap;
      }
    }
  }
  return rect;
}

TwipsRect InClientArea(const ControlSpec& control, int client_width, int client_height) {
  TwipsRect rect = LaidOut(control, client_width, client_height);
  for (std::string_view container = control.container; container != "Form1";) {
    const ControlSpec& outer = Form1Control(container);
    const TwipsRect outer_rect = LaidOut(outer, client_width, client_height);
    rect.left += outer_rect.left;
    rect.top += outer_rect.top;
    container = outer.container;
  }
  return rect;
}

int TwipsToPixels(int twips, double dots_per_inch) {
  return static_cast<int>(std::lround(twips * dots_per_inch / 1440.0));
}

int PixelsToTwips(int pixels, double dots_per_inch) {
  return static_cast<int>(std::lround(pixels * 1440.0 / dots_per_inch));
}

std::vector<const ControlSpec*> TabOrder() {
  std::vector<const ControlSpec*> order;
  for (const ControlSpec& control : kForm1Controls) {
    if (control.kind != ControlKind::kPanel && control.kind != ControlKind::kFrame &&
        control.kind != ControlKind::kLabel) {
      order.push_back(&control);
    }
  }
  std::sort(order.begin(), order.end(),
            [](const ControlSpec* a, const ControlSpec* b) { return a->tab_index < b->tab_index; });
  return order;
}

int CentredOrigin(int screen_origin, int screen_extent, int window_extent) {
  return screen_origin + (screen_extent - window_extent) / 2;
}

}  // namespace tavrimen
