// The columns of a log's body drawn page by page onto its canvas: the scale, the layers with
// their symbols, boundaries, texts and notes (log_body.cpp); the water levels, the drilling
// progress, the penetration tests, the samples, the in-situ tests, the in-hole conditions and
// what no column shows (log_readings.cpp). For the drawing of a log only.
#pragma once

#include <algorithm>
#include <array>
#include <numeric>
#include <string_view>
#include <utility>
#include <vector>

#include "preview/boring_log.h"
#include "preview/log_canvas.h"
#include "preview/log_facts.h"
#include "preview/soil_symbols.h"

namespace tavrimen::preview {

inline constexpr double kEps = 1e-9;

// A text that holds a value: neither empty, nor the field's mark, nor the mark for no text.
inline std::string_view Value(std::string_view text, std::string_view mark = record::kNoText) {
  return text.empty() || text == mark || text == record::kNoText ? std::string_view() : text;
}

// The indices of items in order of a key, ties kept in the log's order.
template <typename Key>
std::vector<std::size_t> InOrder(std::size_t count, Key key) {
  std::vector<std::size_t> order(count);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
  return order;
}

class BodyDrawing {
 public:
  BodyDrawing(const BoringLog& log, const LogFacts& facts, Canvas& canvas,
              std::array<bool, kSoilClassCount>& classes_used)
      : log_(log), facts_(facts), canvas_(canvas), classes_used_(classes_used) {}
  void Draw();

 private:
  double U(double depth) const { return canvas_.U(depth); }
  Markup& Page(int page) { return canvas_.Page(page); }

  // Calls `draw(page, y0, y1)` for each page's part of the range from u0 to u1.
  template <typename Draw>
  void OnPages(double u0, double u1, Draw draw) {
    for (int page = canvas_.PageOf(u0 + kEps); page <= canvas_.PageOf(u1); ++page) {
      const double from = std::max(u0, canvas_.PageStart(page));
      const double to = std::min(u1, canvas_.PageEnd(page));
      if (to >= from) draw(page, canvas_.PageY(from, page), canvas_.PageY(to, page));
    }
  }

  // Opens a group of class `name` on every page, and closes them.
  void Open(std::string_view name);
  void Close();

  // The ruler: a tick at every step, longer with its depth at every labelled one.
  void Scale();
  void Layers();

  // Each layer's notes from its top, down to the top of the next layer with notes. A note line
  // that the record file broke at its width runs on into the next.
  void Notes();

  // "10/06" from a month and a day, either of which may be missing.
  std::string_view Date(const LogDated& dated);

  // Dated items that have a date but no depth go to the notes.
  void Undated(const std::vector<LogDated>& items, std::string_view column,
               std::string_view missing);

  // Point items (water levels, drilling days): a mark at the depth and a label beside it, which
  // may run down to `drift` below its depth or to the next item's depth.
  template <typename Mark>
  void Points(const std::vector<LogDated>& items, const std::vector<bool>& drawn, ColumnText& text,
              double drift, bool with_depth, Mark mark);
  void WaterLevels();
  void Progress();

  // A row per test at its depth: the depth, the blows of each 10 cm, blows and penetration, the
  // N value; and the N value on the chart.
  void Penetrations();

  // Intervals: a bar from top to bottom in the first lane free of the bars above it, and the
  // texts beside the bars, from the top down to the bottom or the next interval's top. `range`
  // gives an item's top and bottom, `texts` its paragraphs.
  template <typename Range, typename Texts>
  void Intervals(sheet::ColumnId column_id, std::string_view kind, const std::vector<bool>& drawn,
                 Range range, Texts texts);
  std::string_view RangeText(double top, double bottom);
  template <typename Item>
  static std::pair<double, double> RangeOf(const Item& item) {
    return {*item.top.value, *item.bottom.value};
  }
  void Samples();
  void Tests();
  void Conditions();

  // What the record file holds that no column shows goes to the notes of the first page, so
  // that nothing of it is lost: header lines that hold more than their fixed marks, the last
  // field of a penetration test, and lines of no block.
  void Leftovers();

  const BoringLog& log_;
  const LogFacts& facts_;
  Canvas& canvas_;
  std::array<bool, kSoilClassCount>& classes_used_;
};

}  // namespace tavrimen::preview
