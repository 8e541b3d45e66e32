#include <algorithm>
#include <cmath>

#include "preview/log_columns.h"
#include "preview/text_fit.h"

namespace tavrimen::preview {

using sheet::kColumns;

std::string_view BodyDrawing::Date(const LogDated& dated) {
  const std::string_view month = Value(dated.month, record::kNoNumber);
  const std::string_view day = Value(dated.day, record::kNoNumber);
  if (month.empty() && day.empty()) return {};
  return canvas_.Hold(std::string(canvas_.Utf8(month)) + "/" + std::string(canvas_.Utf8(day)));
}

void BodyDrawing::Undated(const std::vector<LogDated>& items, std::string_view column,
                          std::string_view missing) {
  for (const LogDated& item : items) {
    if (item.depth.value || !Value(item.depth.text, record::kNoDepth).empty()) continue;
    const std::string_view date = Date(item);
    if (!date.empty()) {
      canvas_.AddNote(0, column, "", std::string(missing) + " " + std::string(date), false);
    }
  }
}

template <typename Mark>
void BodyDrawing::Points(const std::vector<LogDated>& items, const std::vector<bool>& drawn,
                         ColumnText& text, double drift, bool with_depth, Mark mark) {
  const auto order =
      InOrder(items.size(), [&](std::size_t i) { return drawn[i] ? *items[i].depth.value : 0.0; });
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

void BodyDrawing::WaterLevels() {
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

void BodyDrawing::Progress() {
  const sheet::Column& column = kColumns[sheet::kProgressColumn];
  ColumnText text(canvas_, sheet::kProgressColumn, column.x + 1.4, column.width - 1.4 - kSidePad);
  Open("col-progress");
  Points(log_.progress, facts_.progress_drawn, text, 8, false, [&](Markup& out, double y) {
    out << "<path class=\"progress\" d=\"M" << column.x << ' ' << y << "h1.2\"/>\n";
  });
  Close();
  Undated(log_.progress, "掘進月日", "深度の記録なし");
}

void BodyDrawing::Penetrations() {
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
      for (const std::size_t b : {record::x5::kBlows1, record::x5::kBlows2, record::x5::kBlows3}) {
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

template <typename Range, typename Texts>
void BodyDrawing::Intervals(sheet::ColumnId column_id, std::string_view kind,
                            const std::vector<bool>& drawn, Range range, Texts texts) {
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

std::string_view BodyDrawing::RangeText(double top, double bottom) {
  return canvas_.Hold(Metres(top) + "〜" + Metres(bottom));
}

void BodyDrawing::Samples() {
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

void BodyDrawing::Tests() {
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

void BodyDrawing::Conditions() {
  std::array<std::string_view, 1> paragraphs;
  Intervals(
      sheet::kConditionsColumn, "condition", facts_.condition_drawn,
      [&](std::size_t i) { return RangeOf(log_.conditions[i]); },
      [&](std::size_t i) {
        paragraphs = {canvas_.Utf8(Value(log_.conditions[i].name))};
        return std::span<const std::string_view>(paragraphs);
      });
}

void BodyDrawing::Leftovers() {
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

}  // namespace tavrimen::preview
