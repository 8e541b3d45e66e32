#include "preview/svg_log.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
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
constexpr double kBandText = kBand.width - 6;  // the room for a geology name inside its band

// What the first byte of a UTF-8 character tells of it: its length, and its width in fifths of an
// em, so that widths add up exactly: 3 (0.6 em) for ASCII and half-width kana, 5 for a
// full-width character. Half-width katakana (U+FF61 to U+FF9F, EF BD A1 to EF BE 9F) start with
// EF, which needs a look at the next bytes; a byte that starts no character stands alone.
struct Lead {
  std::uint8_t length;
  std::uint8_t fifths;
  bool escaped;     // a markup or control character
  bool maybe_half;  // EF: the width depends on the next bytes
};
constexpr std::array<Lead, 256> kLeads = [] {
  std::array<Lead, 256> leads{};
  for (int byte = 0; byte < 256; ++byte) {
    const auto b = static_cast<unsigned char>(byte);
    const auto length = static_cast<std::uint8_t>(cp932::Utf8SequenceLength(b));
    leads[b] = {length, static_cast<std::uint8_t>(length == 1 ? 3 : 5),
                b < 0x80 && !StandsForItself(b), b == 0xEF};
  }
  return leads;
}();

// The width in fifths of an em of the UTF-8 character of `length` bytes at `c`.
int CharFifths(const unsigned char* c, std::size_t length) {
  const Lead& lead = kLeads[c[0]];
  if (length < lead.length) return 3;  // cut short: a byte alone
  if (lead.maybe_half && ((c[1] == 0xBD && c[2] >= 0xA1) || c[1] == 0xBE)) return 3;
  return lead.fifths;
}

constexpr std::string_view kEllipsis = "…";  // full width

// A piece of a line of text: UTF-8, or code page 932 bytes, decoded as they are drawn.
struct Piece {
  std::string_view bytes;
  bool cp932 = false;
};

struct TextOptions {
  double size = kFont;
  std::string_view attributes;  // more attributes of the text element
  bool ellipsis_after = false;  // the line ends in an ellipsis even when it fits
};
constexpr TextOptions kTitleText{15, "font-weight=\"bold\"", false};
constexpr TextOptions kMoreAfter{kFont, "", true};  // a note line with more lines after it

// How much of `text` fits `width`: all of it, or the longest start that leaves room for an
// ellipsis after it; and where the first byte that markup must escape is, if any.
struct Fit {
  std::size_t length;
  bool cut;
  std::size_t first_escaped = std::string_view::npos;
};
Fit FitOf(std::string_view text, double size, double width) {
  // The fifths of an em that fit: the quotient of small whole numbers, never a hair below a whole
  // number it should reach.
  const auto room = static_cast<long>(std::floor(5 * width / size));
  const auto* const begin = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = begin + text.size();
  const unsigned char* room_for_ellipsis = begin;
  std::size_t first_escaped = std::string_view::npos;
  long used = 0;
  for (const unsigned char* c = begin; c != end;) {
    const Lead& lead = kLeads[*c];
    std::size_t length = lead.length;
    if (lead.escaped && first_escaped == std::string_view::npos) {
      first_escaped = static_cast<std::size_t>(c - begin);
    }
    if (lead.maybe_half || length > static_cast<std::size_t>(end - c)) [[unlikely]] {
      length = std::min(length, static_cast<std::size_t>(end - c));
      used += CharFifths(c, length);
    } else {
      used += lead.fifths;
    }
    if (used > room) {
      return {static_cast<std::size_t>(room_for_ellipsis - begin), true, first_escaped};
    }
    c += length;
    if (used + 5 <= room) room_for_ellipsis = c;
  }
  return {text.size(), false, first_escaped};
}

// Appends the UTF-8 of code page 932 bytes, unescaped.
void AppendUtf8(Markup& out, std::string_view bytes) {
  out.Commit(cp932::DecodeUtf8(bytes, out.Extend(cp932::Utf8Room(bytes.size()))));
}

// A text element at (x, y) that holds the pieces, fitted to `width`; nothing when they are
// empty. True when the text is drawn in full.
bool AppendText(Markup& out, double x, double y, double width, std::initializer_list<Piece> pieces,
                const TextOptions& options = {}) {
  const std::size_t element = out.size();
  // Texts of a column are drawn in a group shifted to it, and need no x of their own.
  out << "<text";
  if (x != 0) out << " x=\"" << x << '"';
  out << " y=\"" << y << '"';
  if (options.size != kFont) out << " font-size=\"" << options.size << '"';
  if (!options.attributes.empty()) out << ' ' << options.attributes;
  out << '>';
  // The text is decoded where it goes, then cut to what fits and escaped there.
  const std::size_t text = out.size();
  for (const Piece piece : pieces) {
    if (piece.cp932) {
      // Every code page 932 byte is at least half an em wide (a full-width character is two
      // bytes and an em), so bytes past this many cannot show: they are not decoded at all.
      const auto shown = static_cast<std::size_t>(2 * width / options.size) + 4;
      AppendUtf8(out, piece.bytes.substr(0, shown));
    } else {
      out << piece.bytes;
    }
  }
  if (options.ellipsis_after) out << kEllipsis;
  if (out.size() == text) {
    out.Truncate(element);
    return false;
  }
  const Fit fit = FitOf(out.view().substr(text), options.size, width);
  out.Truncate(text + fit.length);
  if (fit.first_escaped < fit.length) out.EscapeFrom(text + fit.first_escaped);
  out << (fit.cut ? kEllipsis : "") << "</text>\n";
  return !fit.cut;
}

// The column headings and the N-value scale, the same in every picture.
const std::string& Headings() {
  static const std::string headings = [] {
    Markup out;
    const double y = 98;
    AppendText(out, kAxis.x, y, kAxis.width + 6, {{"深度(m)"}});
    AppendText(out, kBand.x + 2, y, kBand.width, {{"地質区分"}});
    AppendText(out, kWater.x, y, kWater.width, {{"水位"}});
    AppendText(out, kSoil.x, y, kSoil.width, {{"土質・色調"}});
    AppendText(out, kNotes.x, y, kNotes.width, {{"記事"}});
    AppendText(out, kChart.x, y, kChart.width, {{"N値"}});
    AppendText(out, kSamples.x, y, kSamples.width, {{"試料"}});
    AppendText(out, kTests.x, y, kTests.width, {{"原位置試験"}});
    for (int n = 0; n <= 50; n += 10) {
      AppendText(out, kChart.x + kChart.width * n / 50 - (n == 0 ? 0 : 6), 113, 14,
                 {{std::to_string(n)}});
    }
    return out.Take();
  }();
  return headings;
}

class Drawing {
 public:
  using Geology = LogDrawer::Geology;

  Drawing(const BoringLog& log, Markup& svg, LogDrawer::Geologies& geologies)
      : log_(log),
        scale_(PixelsPerMetre(log.depth)),
        height_(Y(log.depth) + 24),
        svg_(svg),
        geologies_(geologies) {}

  std::string_view Draw() {
    svg_.Clear();
    svg_.reserve(16384 + 600 * log_.layers.size() + 150 * log_.penetrations.size());
    svg_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\""
         << height_ << "\" viewBox=\"0 0 " << kWidth << ' ' << height_ << "\" font-family=\""
         << kFonts << "\" font-size=\"" << kFont << "\" data-top-px=\"" << kTopPx
         << "\" data-px-per-m=\"" << scale_ << "\">\n";
    svg_ << "<style>.ticks,.layer{stroke:#555555;stroke-width:0.6}.n-value{fill:#c0392b;"
            "stroke:#c0392b}.water-level{fill:#3d9be9;stroke:#1f5f99;stroke-width:0.6}"
            ".sample{fill:#3b6ea5}.test{fill:#a5523b}</style>\n";
    svg_ << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    TitleBlock();
    svg_ << Headings();
    DepthAxis();
    Layers();
    WaterLevels();
    Penetrations();
    Intervals(log_.samples, kSamples, "sample");
    Intervals(log_.tests, kTests, "test");
    svg_ << "</svg>\n";
    return svg_.view();
  }

 private:
  double Y(double depth) const { return kTopPx + std::clamp(depth, 0.0, log_.depth) * scale_; }

  bool Text(double x, double y, double width, std::initializer_list<Piece> pieces,
            const TextOptions& options = {}) {
    return AppendText(svg_, x, y, width, pieces, options);
  }

  // Draws what `draw` appends in a group shifted to `x`, so that its elements need no x of their
  // own: a group of class `kind`, or else of texts, which is left out when none is drawn.
  template <typename Draw>
  void InColumn(double x, std::string_view kind, Draw draw) {
    const std::size_t start = svg_.size();
    svg_ << "<g";
    if (!kind.empty()) svg_ << " class=\"" << kind << '"';
    svg_ << " transform=\"translate(" << x << ")\">\n";
    const std::size_t inside = svg_.size();
    draw();
    if (kind.empty() && svg_.size() == inside) {
      svg_.Truncate(start);
      return;
    }
    svg_ << "</g>\n";
  }

  // Ends the rect just opened, with `title` (code page 932) as its title unless that is empty.
  void EndRect(std::string_view title) {
    if (title.empty()) {
      svg_ << "/>\n";
      return;
    }
    svg_ << "><title>";
    const std::size_t text = svg_.size();
    AppendUtf8(svg_, title);
    svg_.EscapeFrom(text);
    svg_ << "</title></rect>\n";
  }

  // A geology name (code page 932): its fill, and whether it fits its band's width; worked out
  // once for each name.
  Geology GeologyOf(std::string_view name) {
    if (const auto known = geologies_.find(name); known != geologies_.end()) return known->second;
    const std::string utf8 = cp932::ToUtf8(name);
    const Geology geology{FillOf(utf8), !FitOf(utf8, kFont, kBandText).cut};
    if (geologies_.size() == LogDrawer::kMostGeologies) geologies_.clear();
    geologies_.emplace(name, geology);
    return geology;
  }

  // A band high enough for its geology name, which is then drawn inside it.
  static bool NameFits(double top, double bottom) { return bottom - top >= kAscent + kDescent + 2; }

  void TitleBlock() {
    Text(8, 26, kWidth - 16, {{log_.project}}, kTitleText);
    Text(8, 50, kWidth - 16, {{"ボーリング名 "}, {log_.boring}, {"　　位置 "}, {log_.location}});
    Text(8, 70, kWidth - 16,
         {{"孔口標高 "},
          {log_.elevation},
          {" m　　掘進長 "},
          {log_.drilled},
          {" m　　調査期間 "},
          {log_.dates}});
  }

  void DepthAxis() {
    // The axis on the band column's left edge, with a tick every metre, longer every 5 m.
    svg_ << "<g stroke=\"#555555\" stroke-width=\"0.6\" transform=\"translate(" << kBand.x
         << ")\">\n<line y1=\"" << Y(0) << "\" y2=\"" << Y(log_.depth) << "\"/>\n"
         << "<path class=\"ticks\" d=\"";
    for (int metre = 0; metre <= static_cast<int>(log_.depth); ++metre) {
      const bool long_tick = metre % 5 == 0;
      svg_ << (long_tick ? "M-8 " : "M-4 ") << Y(metre) << (long_tick ? "h8" : "h4");
    }
    svg_ << "\"/>\n</g>\n";
    InColumn(kAxis.x, "", [&] {
      for (int metre = 0; metre <= static_cast<int>(log_.depth); metre += 5) {
        Text(0, Y(metre) + 4, kAxis.width - 10, {{std::to_string(metre)}});
      }
    });
  }

  void Layers() {
    // The bands. A band whose geology name is not drawn inside it in full has the name as its
    // title.
    InColumn(kBand.x, "layer", [&] {
      for (const LogLayer& layer : log_.layers) {
        const double top = Y(layer.top), bottom = Y(layer.bottom);
        const Geology geology = GeologyOf(layer.geology);
        svg_ << "<rect y=\"" << top << "\" width=\"" << kBand.width << "\" height=\""
             << std::max(0.0, bottom - top) << "\" fill=\"" << geology.fill << '"';
        const bool drawn = NameFits(top, bottom) && geology.fits_band;
        EndRect(layer.geology == "@" || drawn ? "" : layer.geology);
      }
    });
    // The geology name inside its band, the soil and colour texts beside it, then the notes: each
    // only where its line fits the band below the lines above it.
    InColumn(kBand.x + 3, "", [&] {
      for (const LogLayer& layer : log_.layers) {
        const double top = Y(layer.top), bottom = Y(layer.bottom);
        if (NameFits(top, bottom) && layer.geology != "@") {
          Text(0, top + kAscent + 1, kBandText, {{layer.geology, true}});
        }
      }
    });
    InColumn(kSoil.x, "", [&] {
      double soil_y = 0;
      for (const LogLayer& layer : log_.layers) {
        const double top = Y(layer.top), bottom = Y(layer.bottom);
        const std::string_view soil = layer.soil == "@" ? "" : layer.soil;
        const std::string_view colour = layer.colour == "@" ? "" : layer.colour;
        const double y = std::max(top + kAscent + 1, soil_y + kLineStep);
        if ((!soil.empty() || !colour.empty()) && y + kDescent <= bottom) {
          const std::string_view between = soil.empty() || colour.empty() ? "" : "　";
          Text(0, y, kSoil.width, {{soil, true}, {between}, {colour, true}});
          soil_y = y;
        }
      }
    });
    InColumn(kNotes.x, "", [&] {
      double note_y = 0;
      for (const LogLayer& layer : log_.layers) {
        const double top = Y(layer.top), bottom = Y(layer.bottom);
        const std::span<const std::string_view> notes = log_.NotesOf(layer);
        for (std::size_t i = 0; i < notes.size(); ++i) {
          const double line_y = std::max(top + kAscent + 1, note_y + kLineStep);
          if (line_y + kDescent > bottom) break;
          const bool more_after =
              i + 1 < notes.size() &&
              std::max(top + kAscent + 1, line_y + kLineStep) + kDescent > bottom;
          Text(0, line_y, kNotes.width, {{notes[i], true}},
               more_after ? kMoreAfter : TextOptions{});
          note_y = line_y;
        }
      }
    });
  }

  void WaterLevels() {
    // A triangle 16 pixels wide whose tip is at the level's depth, all in one path.
    svg_ << "<g class=\"water-level\">\n";
    if (!log_.water_levels.empty()) {
      svg_ << "<path d=\"";
      for (double level : log_.water_levels) {
        svg_ << 'M' << kWater.x + 3 << ' ' << Y(level) - 9 << "h16l-8 9z";
      }
      svg_ << "\"/>\n";
    }
    svg_ << "</g>\n";
  }

  void Penetrations() {
    const double top = Y(0), bottom = Y(log_.depth);
    svg_ << "<g stroke=\"#bbbbbb\" stroke-width=\"0.5\" fill=\"none\">\n"
         << "<rect x=\"" << kChart.x << "\" y=\"" << top << "\" width=\"" << kChart.width
         << "\" height=\"" << bottom - top << "\"/>\n";
    for (int n = 10; n < 50; n += 10) {
      const double x = kChart.x + kChart.width * n / 50;
      svg_ << "<line x1=\"" << x << "\" y1=\"" << top << "\" x2=\"" << x << "\" y2=\"" << bottom
           << "\"/>\n";
    }
    svg_ << "</g>\n";
    auto x_of = [](const LogPenetration& test) {
      return kChart.x + kChart.width * std::clamp(test.n.value_or(0), 0.0, 50.0) / 50;
    };
    // The line through the values, then a point per test (hollow without a value).
    svg_ << "<polyline fill=\"none\" stroke=\"#c0392b\" stroke-width=\"1\" points=\"";
    for (const LogPenetration& test : log_.penetrations) {
      if (test.n) svg_ << x_of(test) << ',' << Y(test.depth) << ' ';
    }
    svg_ << "\"/>\n";
    // A dot of radius 3.5 at each value, as the round caps of segments of no length in one path;
    // a ring of that size at each test without one.
    svg_ << "<g class=\"n-value\">\n";
    bool dots = false;
    for (const LogPenetration& test : log_.penetrations) {
      if (!test.n) continue;
      svg_ << (dots ? "M" : "<path stroke-width=\"7\" stroke-linecap=\"round\" d=\"M") << x_of(test)
           << ' ' << Y(test.depth) << "h0";
      dots = true;
    }
    if (dots) svg_ << "\"/>\n";
    for (const LogPenetration& test : log_.penetrations) {
      if (!test.n) {
        svg_ << "<circle cx=\"" << x_of(test) << "\" cy=\"" << Y(test.depth)
             << "\" r=\"3\" fill=\"none\"/>\n";
      }
    }
    svg_ << "</g>\n";
    // A value beyond the axis is drawn at its edge and written beside it.
    double label_y = 0;
    for (const LogPenetration& test : log_.penetrations) {
      if (!test.n || *test.n <= 50) continue;
      const double text_y = std::max(Y(test.depth) + 4, label_y + kLineStep);
      if (text_y + kDescent > height_) break;
      char value[32];
      const auto end = std::to_chars(value, value + sizeof value, *test.n).ptr;
      Text(kOverFifty.x, text_y, kOverFifty.width, {{std::string_view(value, end - value)}});
      label_y = text_y;
    }
  }

  void Intervals(const std::vector<LogInterval>& intervals, Column column, std::string_view kind) {
    // The labels that have room, then the bars. A bar whose label is left out or cut has the
    // label as its title.
    std::vector<bool> in_full(intervals.size());  // whether each label is drawn in full
    InColumn(column.x + kIntervalBar + 3, "", [&] {
      double label_y = 0;
      for (std::size_t i = 0; i < intervals.size(); ++i) {
        const double y = std::max(Y(intervals[i].top) + kAscent, label_y + kLineStep);
        if (intervals[i].label != "@" && y + kDescent <= height_) {
          in_full[i] = Text(0, y, column.width - kIntervalBar - 3, {{intervals[i].label, true}});
          label_y = y;
        }
      }
    });
    InColumn(column.x, kind, [&] {
      for (std::size_t i = 0; i < intervals.size(); ++i) {
        const LogInterval& interval = intervals[i];
        const double top = Y(interval.top), bottom = Y(std::max(interval.top, interval.bottom));
        svg_ << "<rect y=\"" << top << "\" width=\"" << kIntervalBar << "\" height=\""
             << std::max(2.0, bottom - top) << '"';
        EndRect(interval.label == "@" || in_full[i] ? "" : interval.label);
      }
    });
  }

  const BoringLog& log_;
  double scale_;
  double height_;
  Markup& svg_;
  LogDrawer::Geologies& geologies_;
};

}  // namespace

std::string_view FillOf(std::string_view geology) {
  for (const GeologyFill& fill : kGeologyFills) {
    if (geology.find(fill.keyword) != std::string_view::npos) return fill.colour;
  }
  return kNeutralFill;
}

double TextWidth(std::string_view utf8, double size) {
  const auto* const bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  int fifths = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = std::min<std::size_t>(kLeads[bytes[at]].length, utf8.size() - at);
    fifths += CharFifths(bytes + at, length);
    at += length;
  }
  return fifths * size / 5;
}

double PixelsPerMetre(double depth) {
  // About 600 pixels for the whole depth, in tenths of a pixel so that the scale the picture
  // states is the one it is drawn at.
  return std::clamp(std::round(6000 / std::max(depth, 1.0)) / 10, 4.0, 24.0);
}

std::string DrawBoringLog(const BoringLog& log) {
  LogDrawer drawer;
  return std::string(drawer.Draw(log));
}

std::string_view LogDrawer::Draw(const BoringLog& log) {
  return Drawing(log, svg_, geologies_).Draw();
}

}  // namespace tavrimen::preview
