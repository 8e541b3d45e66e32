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

TwipsRect InClientArea(const ControlSpec& control) {
  TwipsRect rect = control.twips;
  for (std::string_view container = control.container; container != "Form1";) {
    const ControlSpec& outer = Form1Control(container);
    rect.left += outer.twips.left;
    rect.top += outer.twips.top;
    container = outer.container;
  }
  return rect;
}

int TwipsToPixels(int twips, double dots_per_inch) {
  return static_cast<int>(std::lround(twips * dots_per_inch / 1440.0));
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
