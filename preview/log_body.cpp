#include "preview/log_body.h"

#include <algorithm>
#include <cmath>

#include "preview/log_columns.h"
#include "preview/text_fit.h"

namespace tavrimen::preview {
namespace {

using sheet::kColumns;
// The bytes of a note line in the record file: a line that long was broken at the width.
constexpr std::size_t kNoteWidth = 70;

}  // namespace

void BodyDrawing::Draw() {
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

void BodyDrawing::Open(std::string_view name) {
  for (int page = 0; page < canvas_.body_pages(); ++page) {
    Page(page) << "<g class=\"" << name << "\">\n";
  }
}

void BodyDrawing::Close() {
  for (int page = 0; page < canvas_.body_pages(); ++page) Page(page) << "</g>\n";
}

void BodyDrawing::Scale() {
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

void BodyDrawing::Layers() {
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
      Page(page) << "<path class=\"boundary\" d=\"M" << left << ' ' << canvas_.PageY(u, page) << 'H'
                 << right << "\"/>\n";
      line = u;
    }
    const std::string depth = CentimetresText(Centimetres(bottom));
    const std::string thickness = CentimetresText(Centimetres(bottom) - Centimetres(top));
    const std::string height =
        elevation ? CentimetresText(Centimetres(*elevation) - Centimetres(bottom)) : std::string();
    // Above the line, between it and the line above, where the figures have room on its page;
    // else below it, before the next line; else in the notes. No figure crosses a line.
    const double below =
        k + 1 < drawn.size() ? U(*log_.layers[drawn[k + 1]].bottom.value) : canvas_.End();
    double figures_top = u - kFigures;
    if (figures_top < std::max(used, above) - kEps || canvas_.PageOf(figures_top + kEps) != page) {
      figures_top = u;
      if (figures_top + kFigures > below + kEps ||
          canvas_.PageOf(figures_top + kEps) != canvas_.PageOf(figures_top + kFigures)) {
        canvas_.AddNote(page, "深度・標高・層厚", DepthRange({bottom, bottom}),
                        "深度 " + depth + " m" + (height.empty() ? "" : "、標高 " + height + " m") +
                            "、層厚 " + thickness + " m",
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

void BodyDrawing::Notes() {
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
    const double limit = k + 1 < noted.size() ? U(facts_.layer_tops[noted[k + 1]]) : canvas_.End();
    notes.Place(U(top), limit, lines, Depths{top, *layer.bottom.value}, "");
  }
  Close();
}

void DrawBody(const BoringLog& log, const LogFacts& facts, Canvas& canvas,
              std::array<bool, kSoilClassCount>& classes_used) {
  BodyDrawing(log, facts, canvas, classes_used).Draw();
}

}  // namespace tavrimen::preview
