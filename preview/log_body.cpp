#include "preview/log_body.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "preview/text_fit.h"

namespace tavrimen::preview {
namespace {

using sheet::kColumns;
constexpr double kEps = 1e-9;
// The bytes of a note line in the record file: a line that long was broken at the width.
constexpr std::size_t kNoteWidth = 70;

// A text that holds a value: neither empty, nor the field's mark, nor the mark for no text.
std::string_view Value(std::string_view text, std::string_view mark = record::kNoText) {
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

class Body {
 public:
  Body(const BoringLog& log, const LogFacts& facts, Canvas& canvas,
       std::array<bool, kSoilClassCount>& classes_used)
      : log_(log), facts_(facts), canvas_(canvas), classes_used_(classes_used) {}

  void Draw() {
    Scale();
    Layers();
    Notes();
    WaterLevels();
    Penetrations();
    Samples();
    Tests();
    Conditions();
    Progress();
    Leftovers();
  }

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
  void Open(std::string_view name) {
    for (int page = 0; page < canvas_.body_pages(); ++page) {
      Page(page) << "<g class=\"" << name << "\">\n";
    }
  }
  void Close() {
    for (int page = 0; page < canvas_.body_pages(); ++page) Page(page) << "</g>\n";
  }

  // The ruler: a tick at every step, longer with its depth at every labelled one.
  void Scale() {
    const double mm_per_metre = canvas_.scale().MmPerMetre();
    double label_step = 1;
    for (const double step : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0, 200.0, 500.0, 1000.0}) {
      label_step = step;
      if (step * mm_per_metre >= 5) break;
    }
    const double tick_step = label_step * mm_per_metre >= 10 ? label_step / 5 : label_step;
    const sheet::Column& column = kColumns[sheet::kScaleColumn];
    const double right = column.x + column.width;
    Open("col-scale");
    for (int page = 0; page < canvas_.body_pages(); ++page) {
      Markup& out = Page(page);
      const double first = canvas_.PageStart(page) / mm_per_metre;
      const double last = canvas_.PageEnd(page) / mm_per_metre;
      out << "<path class=\"ticks\" d=\"";
      const auto ticks = static_cast<long long>(std::llround((last - first) / tick_step));
      for (long long i = 0; i <= ticks; ++i) {
        const double depth = first + static_cast<double>(i) * tick_step;
        const bool labelled = std::fmod(depth + 1e-6, label_step) < 1e-5;
        out << 'M' << right << ' ' << canvas_.PageY(U(depth), page) << 'h'
            << (labelled ? -1.6 : -0.8);
      }
      out << "\"/>\n";
      for (double depth = std::ceil(first / label_step) * label_step; depth <= last + kEps;
           depth += label_step) {
        const double y = canvas_.PageY(U(depth), page);
        const std::string_view text = canvas_.Hold(std::to_string(std::llround(depth)));
        AppendText(out, right - 1.8,
                   std::clamp(y + 0.55, sheet::kBodyTop + 1.4, sheet::kBodyBottom - 0.3),
                   FitSize(text, kSmallSize, column.width - 2), text, "e");
      }
    }
    Close();
  }

  void Layers() {
    const sheet::Column& symbol = kColumns[sheet::kSymbolColumn];
    // The symbols: the class colour, its marks and the sparser marks of what it is mixed with.
    Open("col-symbol");
    for (std::size_t i = 0; i < log_.layers.size(); ++i) {
      if (!facts_.layer_drawn[i]) continue;
      const LogLayer& layer = log_.layers[i];
      const SoilSymbol soil = canvas_.symbols().Of(layer.soil, layer.geology);
      classes_used_[static_cast<std::size_t>(soil.main)] = true;
      classes_used_[static_cast<std::size_t>(soil.mixed)] = true;
      OnPages(U(facts_.layer_tops[i]), U(*layer.bottom.value), [&](int page, double y0, double y1) {
        AppendSymbol(Page(page), soil, symbol.x, y0, symbol.width, y1 - y0, "layer");
      });
    }
    Close();

    // The boundaries: a line across the layer columns, with the depth, the elevation and the
    // thickness just above it (below it when the layer is too thin).
    const std::optional<double> elevation = facts_.elevation;
    const double left = kColumns[sheet::kElevationColumn].x;
    const double right = kColumns[sheet::kDensityColumn].x + kColumns[sheet::kDensityColumn].width;
    std::vector<std::size_t> drawn;
    for (std::size_t i = 0; i < log_.layers.size(); ++i) {
      if (facts_.layer_drawn[i]) drawn.push_back(i);
    }
    Open("boundaries");
    constexpr double kFigures = kPad + kSmallSize * kLineStep;
    constexpr double kLinesApart = 0.3;  // closer lines would run together
    double used = 0;                     // where the last boundary's figures end (u)
    double line = -1;                    // the last line drawn (u)
    for (std::size_t k = 0; k < drawn.size(); ++k) {
      const std::size_t i = drawn[k];
      const double top = facts_.layer_tops[i], bottom = *log_.layers[i].bottom.value;
      const double u = U(bottom), above = U(top);
      const int page = canvas_.PageOf(u);
      if (u - line >= kLinesApart) {
        Page(page) << "<path class=\"boundary\" d=\"M" << left << ' ' << canvas_.PageY(u, page)
                   << 'H' << right << "\"/>\n";
        line = u;
      }
      const std::string depth = CentimetresText(Centimetres(bottom));
      const std::string thickness = CentimetresText(Centimetres(bottom) - Centimetres(top));
      const std::string height =
          elevation ? CentimetresText(Centimetres(*elevation) - Centimetres(bottom))
                    : std::string();
      // Above the line, between it and the line above, where the figures have room on its page;
      // else below it, before the next line; else in the notes. No figure crosses a line.
      const double below =
          k + 1 < drawn.size() ? U(*log_.layers[drawn[k + 1]].bottom.value) : canvas_.End();
      double figures_top = u - kFigures;
      if (figures_top < std::max(used, above) - kEps ||
          canvas_.PageOf(figures_top + kEps) != page) {
        figures_top = u;
        if (figures_top + kFigures > below + kEps ||
            canvas_.PageOf(figures_top + kEps) != canvas_.PageOf(figures_top + kFigures)) {
          canvas_.AddNote(page, "深度・標高・層厚", DepthRange({bottom, bottom}),
                          "深度 " + depth + " m" +
                              (height.empty() ? "" : "、標高 " + height + " m") + "、層厚 " +
                              thickness + " m",
                          false);
          continue;
        }
      }
      const int figures_page = canvas_.PageOf(figures_top + kEps);
      const double y = canvas_.PageY(figures_top, figures_page) + kPad + kAscent * kSmallSize;
      Markup& out = Page(figures_page);
      auto figure = [&](sheet::ColumnId column, const std::string& text) {
        if (text.empty()) return;
        const double width = kColumns[column].width - 2 * kSidePad;
        AppendText(out, kColumns[column].x + kColumns[column].width - kSidePad, y,
                   FitSize(text, kSmallSize, width), canvas_.Hold(text), "e");
      };
      figure(sheet::kElevationColumn, height);
      figure(sheet::kThicknessColumn, thickness);
      figure(sheet::kDepthColumn, depth);
      used = figures_top + kFigures;
    }
    Close();

    // The texts of each layer, within the layer.
    ColumnText classes(canvas_, sheet::kClassColumn), colours(canvas_, sheet::kColourColumn),
        densities(canvas_, sheet::kDensityColumn);
    Open("col-class");
    for (const std::size_t i : drawn) {
      const LogLayer& layer = log_.layers[i];
      const double top = facts_.layer_tops[i], bottom = *layer.bottom.value;
      classes.Place(U(top), U(bottom),
                    {canvas_.Utf8(Value(layer.geology)), canvas_.Utf8(Value(layer.soil))},
                    Depths{top, bottom});
    }
    Close();
    Open("col-colour");
    for (const std::size_t i : drawn) {
      const LogLayer& layer = log_.layers[i];
      const double top = facts_.layer_tops[i], bottom = *layer.bottom.value;
      colours.Place(U(top), U(bottom), {canvas_.Utf8(Value(layer.colour))}, Depths{top, bottom});
    }
    Close();
    Open("col-density");
    for (const std::size_t i : drawn) {
      const LogLayer& layer = log_.layers[i];
      const double top = facts_.layer_tops[i], bottom = *layer.bottom.value;
      densities.Place(U(top), U(bottom), {canvas_.Utf8(Value(layer.density))}, Depths{top, bottom});
    }
    Close();
  }

  // Each layer's notes from its top, down to the top of the next layer with notes. A note line
  // that the record file broke at its width runs on into the next.
  void Notes() {
    ColumnText notes(canvas_, sheet::kNotesColumn);
    std::vector<std::size_t> noted;
    for (std::size_t i = 0; i < log_.layers.size(); ++i) {
      if (facts_.layer_drawn[i] && log_.layers[i].note_count != 0) noted.push_back(i);
    }
    std::vector<std::string_view> lines;
    std::string paragraph;
    Open("col-notes");
    for (std::size_t k = 0; k < noted.size(); ++k) {
      const LogLayer& layer = log_.layers[noted[k]];
      const double top = facts_.layer_tops[noted[k]];
      lines.clear();
      paragraph.clear();
      std::size_t prefix = 0;  // the first line's depth in brackets is not part of the width
      const auto note_lines = log_.NotesOf(layer);
      if (!note_lines.empty() && note_lines[0].starts_with(record::kNoteDepthOpen)) {
        prefix = note_lines[0].find(record::kNoteDepthClose) + 1;
      }
      for (std::size_t j = 0; j < note_lines.size(); ++j) {
        paragraph += note_lines[j];
        const std::size_t width = note_lines[j].size() - (j == 0 ? prefix : 0);
        if (width + 1 < kNoteWidth || j + 1 == note_lines.size()) {
          lines.push_back(canvas_.Utf8(paragraph));
          paragraph.clear();
        }
      }
      const double limit =
          k + 1 < noted.size() ? U(facts_.layer_tops[noted[k + 1]]) : canvas_.End();
      notes.Place(U(top), limit, lines, Depths{top, *layer.bottom.value}, "");
    }
    Close();
  }

  // "10/06" from a month and a day, either of which may be missing.
  std::string_view Date(const LogDated& dated) {
    const std::string_view month = Value(dated.month, record::kNoNumber);
    const std::string_view day = Value(dated.day, record::kNoNumber);
    if (month.empty() && day.empty()) return {};
    return canvas_.Hold(std::string(canvas_.Utf8(month)) + "/" + std::string(canvas_.Utf8(day)));
  }

  // Dated items that have a date but no depth go to the notes.
  void Undated(const std::vector<LogDated>& items, std::string_view column,
               std::string_view missing) {
    for (const LogDated& item : items) {
      if (item.depth.value || !Value(item.depth.text, record::kNoDepth).empty()) continue;
      const std::string_view date = Date(item);
      if (!date.empty())
        canvas_.AddNote(0, column, "", std::string(missing) + " " + std::string(date), false);
    }
  }

  // Point items (water levels, drilling days): a mark at the depth and a label beside it, which
  // may run down to `drift` below its depth or to the next item's depth.
  template <typename Mark>
  void Points(const std::vector<LogDated>& items, const std::vector<bool>& drawn, ColumnText& text,
              double drift, bool with_depth, Mark mark) {
    const auto order = InOrder(
        items.size(), [&](std::size_t i) { return drawn[i] ? *items[i].depth.value : 0.0; });
    std::vector<std::size_t> shown;
    for (const std::size_t i : order) {
      if (drawn[i]) shown.push_back(i);
    }
    for (std::size_t k = 0; k < shown.size(); ++k) {
      const LogDated& item = items[shown[k]];
      const double depth = *item.depth.value, u = U(depth);
      const int page = canvas_.PageOf(u);
      mark(Page(page), canvas_.PageY(u, page));
      const double next = k + 1 < shown.size() ? U(*items[shown[k + 1]].depth.value) : u;
      // The depth and the date on one line.
      const std::string_view date = Date(item);
      const std::string_view label =
          with_depth ? canvas_.Hold(Metres(depth) + (date.empty() ? "" : " ") + std::string(date))
                     : date;
      text.Place(std::max(0.0, u - 1.2), std::max(u + drift, next), {label}, Depths{depth, depth});
    }
  }

  void WaterLevels() {
    const sheet::Column& column = kColumns[sheet::kWaterColumn];
    ColumnText text(canvas_, sheet::kWaterColumn, column.x + 3.2, column.width - 3.2 - kSidePad);
    Open("col-water");
    Points(log_.water_levels, facts_.water_drawn, text, 12, true, [&](Markup& out, double y) {
      out << "<path class=\"water-level\" d=\"M" << column.x + 0.5 << ' ' << y - 1.6
          << "h2.4l-1.2 1.6z\"/>\n";
    });
    Close();
    Undated(log_.water_levels, "孔内水位", "水位の記録なし");
  }

  void Progress() {
    const sheet::Column& column = kColumns[sheet::kProgressColumn];
    ColumnText text(canvas_, sheet::kProgressColumn, column.x + 1.4, column.width - 1.4 - kSidePad);
    Open("col-progress");
    Points(log_.progress, facts_.progress_drawn, text, 8, false, [&](Markup& out, double y) {
      out << "<path class=\"progress\" d=\"M" << column.x << ' ' << y << "h1.2\"/>\n";
    });
    Close();
    Undated(log_.progress, "掘進月日", "深度の記録なし");
  }

  // A row per test at its depth: the depth, the blows of each 10 cm, blows and penetration, the
  // N value; and the N value on the chart.
  void Penetrations() {
    const auto order = InOrder(log_.penetrations.size(), [&](std::size_t i) {
      return facts_.penetration_drawn[i] ? *log_.penetrations[i].depth.value : 0.0;
    });
    std::vector<std::size_t> rows;
    for (const std::size_t i : order) {
      if (facts_.penetration_drawn[i]) rows.push_back(i);
    }
    const sheet::Column& blows = kColumns[sheet::kBlowsColumn];
    const sheet::Column& chart = kColumns[sheet::kChartColumn];
    Open("col-spt");
    double cursor = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
      const LogPenetration& test = log_.penetrations[rows[k]];
      const auto& f = test.fields;
      const double depth = *test.depth.value, u = U(depth);
      const std::string_view n = Value(f[record::x5::kNValue], record::kNoNumber);
      std::string total;
      // The total of the blows, where each that holds a value is a whole number of blows.
      int blows_sum = 0;
      bool any_blows = false, whole = true;
      for (const std::size_t b : {record::x5::kBlows1, record::x5::kBlows2, record::x5::kBlows3}) {
        if (const auto value = NumberOf(f[b], record::kNoNumber).value) {
          whole = whole && *value >= 0 && *value <= 999 && *value == std::floor(*value);
          if (whole) blows_sum += static_cast<int>(*value);
          any_blows = true;
        }
      }
      const std::string_view penetration = Value(f[record::x5::kPenetration], record::kNoNumber);
      if (any_blows && whole) {
        total = std::to_string(blows_sum);
        if (!penetration.empty()) total += "/" + std::string(canvas_.Utf8(penetration));
      }
      // The row's texts at one height, from the test's depth down, before the next test.
      const double next =
          k + 1 < rows.size() ? U(*log_.penetrations[rows[k + 1]].depth.value) : canvas_.End();
      double size = kTextSize;
      double height = kPad + size * kLineStep;
      double top = std::max(u, cursor);
      if (top + height > std::max(next, u + height) + kEps) {
        size = kSmallSize;
        height = kPad + size * kLineStep;
      }
      if (canvas_.PageOf(top + kEps) != canvas_.PageOf(top + height)) {
        top = canvas_.PageStart(canvas_.PageOf(top + height));
      }
      if (top + height > std::max(next, u + height) + kEps || top + height > canvas_.End() + kEps) {
        std::string row = "N値 " + std::string(canvas_.Utf8(n)) + "、打撃回数";
        for (const std::size_t b :
             {record::x5::kBlows1, record::x5::kBlows2, record::x5::kBlows3}) {
          row += " " + std::string(canvas_.Utf8(Value(f[b], record::kNoNumber)));
        }
        canvas_.AddNote(canvas_.PageOf(u), "標準貫入試験", DepthRange({depth, depth}),
                        row + "、打撃回数/貫入量 " + total, false);
        continue;
      }
      const int page = canvas_.PageOf(top + kEps);
      Markup& out = Page(page);
      const double y = canvas_.PageY(top, page) + kPad + kAscent * size;
      auto centred = [&](double x, double width, std::string_view text) {
        if (!text.empty()) AppendText(out, x, y, FitSize(text, size, width - 0.4), text, "m");
      };
      const sheet::Column& depth_column = kColumns[sheet::kSptDepthColumn];
      centred(depth_column.x + depth_column.width / 2, depth_column.width,
              canvas_.Hold(Metres(depth)));
      for (int b = 0; b < 3; ++b) {
        centred(blows.x + blows.width * (2 * b + 1) / 6, blows.width / 3,
                canvas_.Utf8(Value(f[record::x5::kBlows1 + b], record::kNoNumber)));
      }
      const sheet::Column& total_column = kColumns[sheet::kBlowsTotalColumn];
      centred(total_column.x + total_column.width / 2, total_column.width, canvas_.Hold(total));
      const sheet::Column& n_column = kColumns[sheet::kNValueColumn];
      centred(n_column.x + n_column.width / 2, n_column.width, canvas_.Utf8(n));
      cursor = top + height;
    }
    Close();

    // The chart: a dot at each N value (at the axis's end beyond 50), a ring where a test has
    // none, and a line through the dots of each page.
    Open("col-chart");
    auto x_of = [&](double n) {
      return chart.x + 1 + (chart.width - 2) * std::clamp(n, 0.0, 50.0) / 50;
    };
    for (int page = 0; page < canvas_.body_pages(); ++page) {
      Markup& out = Page(page);
      out << "<path class=\"grid\" d=\"";
      for (int n = 10; n < 50; n += 10) {
        out << 'M' << x_of(n) << ' ' << sheet::kBodyTop << 'V' << sheet::kBodyBottom;
      }
      out << "\"/>\n";
      bool line = false;
      for (const std::size_t i : rows) {
        const LogPenetration& test = log_.penetrations[i];
        const double u = U(*test.depth.value);
        if (canvas_.PageOf(u) != page || !test.n_value.value) continue;
        out << (line ? " " : "<polyline class=\"n-line\" points=\"") << x_of(*test.n_value.value)
            << ',' << canvas_.PageY(u, page);
        line = true;
      }
      if (line) out << "\"/>\n";
      for (const std::size_t i : rows) {
        const LogPenetration& test = log_.penetrations[i];
        const double u = U(*test.depth.value);
        if (canvas_.PageOf(u) != page) continue;
        const bool value = test.n_value.value.has_value();
        out << "<circle class=\"" << (value ? "n-value" : "n-none") << "\" cx=\""
            << x_of(value ? *test.n_value.value : 0) << "\" cy=\"" << canvas_.PageY(u, page)
            << "\" r=\"0.55\"/>\n";
      }
    }
    Close();
  }

  // Intervals: a bar from top to bottom in the first lane free of the bars above it, and the
  // texts beside the bars, from the top down to the bottom or the next interval's top. `range`
  // gives an item's top and bottom, `texts` its paragraphs.
  template <typename Range, typename Texts>
  void Intervals(sheet::ColumnId column_id, std::string_view kind, const std::vector<bool>& drawn,
                 Range range, Texts texts) {
    const sheet::Column& column = kColumns[column_id];
    constexpr double kBar = 0.6, kLane = 0.8;
    constexpr std::size_t kLanes = 5;
    const auto order =
        InOrder(drawn.size(), [&](std::size_t i) { return drawn[i] ? range(i).first : 0.0; });
    std::vector<std::size_t> shown;
    for (const std::size_t i : order) {
      if (drawn[i]) shown.push_back(i);
    }
    std::array<double, kLanes> lane_bottom{};
    std::vector<std::size_t> lane(shown.size());
    std::size_t lanes = 1;
    for (std::size_t k = 0; k < shown.size(); ++k) {
      const auto [top, bottom] = range(shown[k]);
      std::size_t l = 0;
      while (l + 1 < kLanes && lane_bottom[l] > top + kEps) ++l;
      lane[k] = l;
      lane_bottom[l] = std::max(lane_bottom[l], bottom);
      lanes = std::max(lanes, l + 1);
    }
    Open(std::string("col-") + std::string(kind));
    for (std::size_t k = 0; k < shown.size(); ++k) {
      const auto [top, bottom] = range(shown[k]);
      const double x = column.x + 0.4 + static_cast<double>(lane[k]) * kLane;
      OnPages(U(top), U(bottom), [&](int page, double y0, double y1) {
        Page(page) << "<rect class=\"" << kind << "\" x=\"" << x << "\" y=\"" << y0 << "\" width=\""
                   << kBar << "\" height=\"" << y1 - y0 << "\"/>\n";
      });
    }
    const double text_x = column.x + 0.4 + static_cast<double>(lanes) * kLane + 0.2;
    ColumnText text(canvas_, column_id, text_x, column.x + column.width - kSidePad - text_x);
    for (std::size_t k = 0; k < shown.size(); ++k) {
      const auto [top, bottom] = range(shown[k]);
      const double next = k + 1 < shown.size() ? range(shown[k + 1]).first : top;
      text.Place(U(top), U(std::max(bottom, next)), texts(shown[k]), Depths{top, bottom});
    }
    Close();
  }

  std::string_view RangeText(double top, double bottom) {
    return canvas_.Hold(Metres(top) + "〜" + Metres(bottom));
  }

  template <typename Item>
  static std::pair<double, double> RangeOf(const Item& item) {
    return {*item.top.value, *item.bottom.value};
  }

  void Samples() {
    std::array<std::string_view, 3> paragraphs;
    Intervals(
        sheet::kSamplesColumn, "sample", facts_.sample_drawn,
        [&](std::size_t i) { return RangeOf(log_.samples[i]); },
        [&](std::size_t i) {
          const LogSample& s = log_.samples[i];
          std::string name(canvas_.Utf8(Value(s.number)));
          if (const std::string_view kind = Value(s.kind, ""); !kind.empty()) {
            name += (name.empty() ? "(" : " (") + std::string(canvas_.Utf8(kind)) + ")";
          }
          paragraphs = {canvas_.Hold(std::move(name)), RangeText(*s.top.value, *s.bottom.value),
                        canvas_.Utf8(Value(s.sampler))};
          return std::span<const std::string_view>(paragraphs);
        });
  }

  void Tests() {
    std::array<std::string_view, 3> paragraphs;
    Intervals(
        sheet::kTestsColumn, "test", facts_.test_drawn,
        [&](std::size_t i) { return RangeOf(log_.tests[i]); },
        [&](std::size_t i) {
          const LogInterval& t = log_.tests[i];
          paragraphs = {canvas_.Utf8(Value(t.name)), RangeText(*t.top.value, *t.bottom.value),
                        canvas_.Utf8(Value(t.result))};
          return std::span<const std::string_view>(paragraphs);
        });
  }

  void Conditions() {
    std::array<std::string_view, 1> paragraphs;
    Intervals(
        sheet::kConditionsColumn, "condition", facts_.condition_drawn,
        [&](std::size_t i) { return RangeOf(log_.conditions[i]); },
        [&](std::size_t i) {
          paragraphs = {canvas_.Utf8(Value(log_.conditions[i].name))};
          return std::span<const std::string_view>(paragraphs);
        });
  }

  // What the record file holds that no column shows goes to the notes of the first page, so
  // that nothing of it is lost: header lines that hold more than their fixed marks, the last
  // field of a penetration test, and lines of no block.
  void Leftovers() {
    namespace line = record::header;
    for (const int number : {line::kUnfilled, line::kUnused}) {
      if (!Value(log_.header[number]).empty()) {
        canvas_.AddNote(0, "表題", "", std::string(canvas_.Utf8(log_.header[number])), false);
      }
    }
    const std::string_view drilled = log_.header[line::kDrilled];
    if (const std::size_t blank = drilled.find(' ');
        blank != std::string_view::npos && drilled.substr(blank) != line::kDrilledTail) {
      canvas_.AddNote(0, "表題", "", std::string(canvas_.Utf8(drilled)), false);
    }
    for (const LogPenetration& test : log_.penetrations) {
      const std::string_view last = Value(test.fields[record::x5::kLast], record::kNoNumber);
      if (!last.empty()) {
        canvas_.AddNote(0, "標準貫入試験", std::string(canvas_.Utf8(test.depth.text)) + " m",
                        "末尾の欄 " + std::string(canvas_.Utf8(last)), false);
      }
    }
    for (const std::string_view other : log_.other_lines) {
      canvas_.AddNote(0, "その他の行", "", std::string(canvas_.Utf8(other)), false);
    }
  }

  const BoringLog& log_;
  const LogFacts& facts_;
  Canvas& canvas_;
  std::array<bool, kSoilClassCount>& classes_used_;
};

}  // namespace

void DrawBody(const BoringLog& log, const LogFacts& facts, Canvas& canvas,
              std::array<bool, kSoilClassCount>& classes_used) {
  Body(log, facts, canvas, classes_used).Draw();
}

}  // namespace tavrimen::preview
