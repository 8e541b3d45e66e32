#include "preview/svg_log.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "platform/cp932.h"
#include "preview/markup.h"

namespace tavrimen::preview {
namespace {

constexpr double kWidth = 900;
constexpr double kFont = 11;      // pixels
constexpr double kLineStep = 14;  // between the baselines of two lines, so that boxes never meet
constexpr double kAscent = 11;    // a text's box: from its baseline up by the ascent,
constexpr double kDescent = 3;    // and down by the descent
constexpr std::string_view kFonts =
    "'Yu Gothic UI', 'Yu Gothic', Meiryo, 'MS Gothic', 'Noto Sans CJK JP', IPAPGothic, "
    "IPAGothic, sans-serif";

// Columns: left edge and width.
struct Column {
  double x;
  double width;
};
constexpr Column kAxis{8, 40};
constexpr Column kBand{56, 80};
constexpr Column kWater{138, 22};
constexpr Column kSoil{162, 168};
constexpr Column kNotes{336, 254};
constexpr Column kChart{600, 140};
constexpr Column kOverFifty{744, 32};
constexpr Column kSamples{780, 56};
constexpr Column kTests{842, 56};
constexpr double kIntervalBar = 5;

// `text`, or as much of it as fits `width` followed by an ellipsis.
std::string Fitted(std::string_view text, double size, double width) {
  if (TextWidth(text, size) <= width) return std::string(text);
  const double room = width - TextWidth("…", size);
  double used = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t length = cp932::Utf8SequenceLength(static_cast<unsigned char>(text[at]));
    const double next = used + TextWidth(text.substr(at, length), size);
    if (next > room) break;
    used = next;
    at += length;
  }
  return std::string(text.substr(0, at)) + "…";
}

class Drawing {
 public:
  explicit Drawing(const BoringLog& log)
      : log_(log), scale_(PixelsPerMetre(log.depth)), height_(Y(log.depth) + 24) {}

  std::string Draw() {
    out_.reserve(16384 + 600 * log_.layers.size() + 150 * log_.penetrations.size());
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(kWidth) + "\" height=\"" +
            Number(height_) + "\" viewBox=\"0 0 " + Number(kWidth) + " " + Number(height_) +
            "\" font-family=\"" + std::string(kFonts) + "\" font-size=\"" + Number(kFont) +
            "\" data-top-px=\"" + Number(kTopPx) + "\" data-px-per-m=\"" + Number(scale_) + "\">\n";
    out_ +=
        "<style>.ticks,.layer{stroke:#555555;stroke-width:0.6}.n-value{fill:#c0392b;"
        "stroke:#c0392b}.water-level{fill:#3d9be9;stroke:#1f5f99;stroke-width:0.6}"
        ".sample{fill:#3b6ea5}.test{fill:#a5523b}</style>\n";
    out_ += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    TitleBlock();
    Headings();
    DepthAxis();
    Layers();
    WaterLevels();
    Penetrations();
    Intervals(log_.samples, kSamples, "sample");
    Intervals(log_.tests, kTests, "test");
    out_ += "</svg>\n";
    return std::move(out_);
  }

 private:
  double Y(double depth) const { return kTopPx + std::clamp(depth, 0.0, log_.depth) * scale_; }

  void Text(double x, double y, std::string_view text, double width, double size = kFont,
            std::string_view extra = "") {
    if (text.empty()) return;
    out_ += "<text x=\"";
    AppendNumber(out_, x);
    out_ += "\" y=\"";
    AppendNumber(out_, y);
    out_ += '"';
    if (size != kFont) {
      out_ += " font-size=\"";
      AppendNumber(out_, size);
      out_ += '"';
    }
    if (!extra.empty()) (out_ += ' ') += extra;
    out_ += '>';
    AppendEscaped(out_,
                  TextWidth(text, size) <= width ? std::string(text) : Fitted(text, size, width));
    out_ += "</text>\n";
  }

  void TitleBlock() {
    Text(8, 26, log_.project, kWidth - 16, 15, "font-weight=\"bold\"");
    Text(8, 50, "ボーリング名 " + log_.boring + "　　位置 " + log_.location, kWidth - 16);
    Text(8, 70,
         "孔口標高 " + log_.elevation + " m　　掘進長 " + log_.drilled + " m　　調査期間 " +
             log_.dates,
         kWidth - 16);
  }

  void Headings() {
    const double y = 98;
    Text(kAxis.x, y, "深度(m)", kAxis.width + 6);
    Text(kBand.x + 2, y, "地質区分", kBand.width);
    Text(kWater.x, y, "水位", kWater.width);
    Text(kSoil.x, y, "土質・色調", kSoil.width);
    Text(kNotes.x, y, "記事", kNotes.width);
    Text(kChart.x, y, "N値", kChart.width);
    Text(kSamples.x, y, "試料", kSamples.width);
    Text(kTests.x, y, "原位置試験", kTests.width);
    for (int n = 0; n <= 50; n += 10) {
      Text(kChart.x + kChart.width * n / 50 - (n == 0 ? 0 : 6), 113, std::to_string(n), 14);
    }
  }

  void DepthAxis() {
    out_ += "<g stroke=\"#555555\" stroke-width=\"0.6\">\n";
    out_ += "<line x1=\"" + Number(kBand.x) + "\" y1=\"" + Number(Y(0)) + "\" x2=\"" +
            Number(kBand.x) + "\" y2=\"" + Number(Y(log_.depth)) + "\"/>\n";
    // A tick every metre, longer every 5 m: one path.
    out_ += "<path class=\"ticks\" d=\"";
    for (int metre = 0; metre <= static_cast<int>(log_.depth); ++metre) {
      out_ += 'M';
      AppendNumber(out_, metre % 5 == 0 ? kBand.x - 8 : kBand.x - 4);
      out_ += ' ';
      AppendNumber(out_, Y(metre));
      out_ += metre % 5 == 0 ? "h8" : "h4";
    }
    out_ += "\"/>\n";
    out_ += "</g>\n";
    for (int metre = 0; metre <= static_cast<int>(log_.depth); metre += 5) {
      Text(kAxis.x, Y(metre) + 4, std::to_string(metre), kAxis.width - 10);
    }
  }

  void Layers() {
    double soil_y = 0, note_y = 0;
    for (const LogLayer& layer : log_.layers) {
      const double top = Y(layer.top), bottom = Y(layer.bottom);
      out_ += "<rect class=\"layer\" x=\"" + Number(kBand.x) + "\" y=\"" + Number(top) +
              "\" width=\"" + Number(kBand.width) + "\" height=\"" +
              Number(std::max(0.0, bottom - top)) + "\" fill=\"" +
              std::string(FillOf(layer.geology)) + "\" data-top=\"" + Number(layer.top) +
              "\" data-bottom=\"" + Number(layer.bottom) + "\"><title>" + Escaped(layer.geology) +
              "</title></rect>\n";
      // The geology name inside its band, the soil and colour texts beside it, then the notes:
      // each only where its line fits the band below the lines above it.
      if (bottom - top >= kAscent + kDescent + 2 && layer.geology != "@") {
        Text(kBand.x + 3, top + kAscent + 1, layer.geology, kBand.width - 6);
      }
      std::string soil = layer.soil == "@" ? "" : layer.soil;
      if (layer.colour != "@" && !layer.colour.empty()) {
        soil += (soil.empty() ? "" : "　") + layer.colour;
      }
      const double y = std::max(top + kAscent + 1, soil_y + kLineStep);
      if (!soil.empty() && y + kDescent <= bottom) {
        Text(kSoil.x, y, soil, kSoil.width);
        soil_y = y;
      }
      for (std::size_t i = 0; i < layer.notes.size(); ++i) {
        const double line_y = std::max(top + kAscent + 1, note_y + kLineStep);
        if (line_y + kDescent > bottom) break;
        const bool more_after = i + 1 < layer.notes.size() &&
                                std::max(top + kAscent + 1, line_y + kLineStep) + kDescent > bottom;
        const std::string& note = layer.notes[i];
        Text(kNotes.x, line_y, more_after ? Fitted(note + "…", kFont, kNotes.width) : note,
             kNotes.width);
        note_y = line_y;
      }
    }
  }

  void WaterLevels() {
    for (const LogWaterLevel& level : log_.water_levels) {
      const double y = Y(level.depth);
      const double left = kWater.x + 3, right = kWater.x + kWater.width - 3;
      out_ += "<polygon class=\"water-level\" points=\"" + Number(left) + "," + Number(y - 9) +
              " " + Number(right) + "," + Number(y - 9) + " " + Number((left + right) / 2) + "," +
              Number(y) + "\" data-depth=\"" + Number(level.depth) + "\"><title>" +
              Escaped(level.date) + "</title></polygon>\n";
    }
  }

  void Penetrations() {
    const double top = Y(0), bottom = Y(log_.depth);
    out_ += "<g stroke=\"#bbbbbb\" stroke-width=\"0.5\" fill=\"none\">\n";
    out_ += "<rect x=\"" + Number(kChart.x) + "\" y=\"" + Number(top) + "\" width=\"" +
            Number(kChart.width) + "\" height=\"" + Number(bottom - top) + "\"/>\n";
    for (int n = 10; n < 50; n += 10) {
      const double x = kChart.x + kChart.width * n / 50;
      out_ += "<line x1=\"" + Number(x) + "\" y1=\"" + Number(top) + "\" x2=\"" + Number(x) +
              "\" y2=\"" + Number(bottom) + "\"/>\n";
    }
    out_ += "</g>\n";
    auto x_of = [](const LogPenetration& test) {
      return kChart.x + kChart.width * std::clamp(test.n.value_or(0), 0.0, 50.0) / 50;
    };
    // The line through the values, then a point per test (hollow without a value).
    out_ += "<polyline fill=\"none\" stroke=\"#c0392b\" stroke-width=\"1\" points=\"";
    for (const LogPenetration& test : log_.penetrations) {
      if (!test.n) continue;
      AppendNumber(out_, x_of(test));
      out_ += ',';
      AppendNumber(out_, Y(test.depth));
      out_ += ' ';
    }
    out_ += "\"/>\n";
    for (const LogPenetration& test : log_.penetrations) {
      out_ += "<circle class=\"n-value\" cx=\"";
      AppendNumber(out_, x_of(test));
      out_ += "\" cy=\"";
      AppendNumber(out_, Y(test.depth));
      out_ += test.n ? "\" r=\"3\"/>\n" : "\" r=\"3\" fill=\"none\"/>\n";
    }
    // A value beyond the axis is drawn at its edge and written beside it.
    double label_y = 0;
    for (const LogPenetration& test : log_.penetrations) {
      if (!test.n || *test.n <= 50) continue;
      const double text_y = std::max(Y(test.depth) + 4, label_y + kLineStep);
      if (text_y + kDescent > height_) break;
      char value[32];
      const auto end = std::to_chars(value, value + sizeof value, *test.n).ptr;
      Text(kOverFifty.x, text_y, std::string_view(value, end - value), kOverFifty.width);
      label_y = text_y;
    }
  }

  void Intervals(const std::vector<LogInterval>& intervals, Column column, std::string_view kind) {
    double label_y = 0;
    for (const LogInterval& interval : intervals) {
      const double top = Y(interval.top), bottom = Y(std::max(interval.top, interval.bottom));
      out_ += "<rect class=\"" + std::string(kind) + "\" x=\"" + Number(column.x) + "\" y=\"" +
              Number(top) + "\" width=\"" + Number(kIntervalBar) + "\" height=\"" +
              Number(std::max(2.0, bottom - top)) + "\" data-top=\"" + Number(interval.top) +
              "\" data-bottom=\"" + Number(interval.bottom) + "\"><title>" +
              Escaped(interval.label) + "</title></rect>\n";
      const double y = std::max(top + kAscent, label_y + kLineStep);
      if (interval.label != "@" && y + kDescent <= height_) {
        Text(column.x + kIntervalBar + 3, y, interval.label, column.width - kIntervalBar - 3);
        label_y = y;
      }
    }
  }

  const BoringLog& log_;
  double scale_;
  double height_;
  std::string out_;
};

}  // namespace

std::string_view FillOf(std::string_view geology) {
  for (const GeologyFill& fill : kGeologyFills) {
    if (geology.find(fill.keyword) != std::string_view::npos) return fill.colour;
  }
  return kNeutralFill;
}

double TextWidth(std::string_view utf8, double size) {
  double width = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = cp932::Utf8SequenceLength(lead);
    // Half-width katakana: U+FF61 to U+FF9F, EF BD A1 to EF BE 9F.
    const bool half_kana = length == 3 && lead == 0xEF && at + 2 < utf8.size() &&
                           ((static_cast<unsigned char>(utf8[at + 1]) == 0xBD &&
                             static_cast<unsigned char>(utf8[at + 2]) >= 0xA1) ||
                            static_cast<unsigned char>(utf8[at + 1]) == 0xBE);
    width += (length == 1 || half_kana) ? 0.6 * size : size;
    at += length;
  }
  return width;
}

double PixelsPerMetre(double depth) { return std::clamp(600.0 / std::max(depth, 1.0), 4.0, 24.0); }

std::string DrawBoringLog(const BoringLog& log) { return Drawing(log).Draw(); }

}  // namespace tavrimen::preview
