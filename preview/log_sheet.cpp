#include "preview/log_sheet.h"

#include <cmath>

namespace tavrimen::preview::sheet {

int Scale::PagesFor(double depth) const {
  // A depth a hair over a page's end still ends on that page.
  return std::max(1, static_cast<int>(std::ceil(depth / MetresPerPage() - 1e-9)));
}

Scale ScaleFor(double depth) {
  for (const int denominator : kScales) {
    const Scale scale{denominator};
    if (scale.PagesFor(depth) <= kMostPages) return scale;
  }
  return Scale{kScales.back()};
}

}  // namespace tavrimen::preview::sheet
