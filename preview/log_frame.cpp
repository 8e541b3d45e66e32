#include "preview/log_frame.h"

#include <algorithm>
#include <cmath>

#include "platform/cp932.h"
#include "preview/text_fit.h"

namespace tavrimen::preview {
namespace {

using sheet::kColumns;

constexpr double kRowHeight = 5;
constexpr double kFirstRow = 13;  // the title block's grid, below its heading
constexpr double kLabelSize = 1.4;
constexpr double kEntrySize = 1.6;
constexpr double kEntryStep = kEntrySize * kLineStep;
constexpr double kLegendTop = sheet::kFootTop;
constexpr double kEntriesTop = kLegendTop + 6.5;
constexpr double kMoreTop = sheet::kHeadTop + 9;  // the entries of a page of their own
constexpr double kEntryWidth = 95;
constexpr double kEntryColumns[2] = {sheet::kLeft, sheet::kRight - kEntryWidth};
// The most text an entry of the notes holds, and the most all pages of notes hold before their
// entries are cut short to kShortEntryBytes.
constexpr std::size_t kMostEntryBytes = 16 << 10;
constexpr std::size_t kMostNoteBytes = 1 << 20;
constexpr std::size_t kShortEntryBytes = 256;

// The fields of a header line.
std::vector<std::string_view> Tokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  while (!line.empty()) {
    const std::size_t blank = line.find(' ');
    if (blank != 0) tokens.push_back(line.substr(0, blank));
    if (blank == std::string_view::npos) break;
    line.remove_prefix(blank + 1);
  }
  return tokens;
}

// A field that stands for no value: empty, a mark, or marks run together ("-1-1").
bool NoValue(std::string_view field) {
  if (field.empty() || field == record::kNoText || field == record::kNoDepth) return true;
  while (field.starts_with(record::kNoNumber)) field.remove_prefix(record::kNoNumber.size());
  return field.empty();
}

bool IsNumber(std::string_view field) { return FieldNumber(field).has_value(); }

class TitleValues {
 public:
  TitleValues(const BoringLog& log, Canvas& canvas) : log_(log), canvas_(canvas) {}

  // A line of text; empty for the mark.
  std::string_view Text(int line) { return Text(log_.header[line]); }
  std::string_view Text(std::string_view text) {
    return NoValue(text) ? std::string_view() : canvas_.Utf8(text);
  }

  // The fields of lines that hold values, joined by `joiner`.
  std::string_view Joined(int first, int last, std::string_view joiner) {
    std::string joined;
    for (int line = first; line <= last; ++line) {
      for (const std::string_view token : Tokens(log_.header[line])) {
        if (NoValue(token)) continue;
        if (!joined.empty()) joined += joiner;
        joined += canvas_.Utf8(token);
      }
    }
    return canvas_.Hold(std::move(joined));
  }

  // A number with its unit; the raw text where it is no number.
  std::string_view Measure(std::string_view field, std::string_view unit) {
    if (NoValue(field) || field == record::kNoElevation) return {};
    return canvas_.Hold(std::string(canvas_.Utf8(field)) +
                        std::string(IsNumber(field) ? unit : ""));
  }

  // "35°33′21.4″" from degrees, minutes and seconds.
  std::string_view Angle(int line) {
    const auto tokens = Tokens(log_.header[line]);
    static constexpr std::string_view kUnits[] = {"°", "′", "″"};
    std::string text;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      if (NoValue(tokens[i])) continue;
      if (i >= 3 || !IsNumber(tokens[i])) return Text(line);
      text += std::string(canvas_.Utf8(tokens[i])) + std::string(kUnits[i]);
    }
    return canvas_.Hold(std::move(text));
  }

  // "2025年10月6日〜2025年10月17日" from the period's year, month and day twice.
  std::string_view Period() {
    std::string_view line = log_.header[record::header::kPeriod];
    static const std::string kPrefix = cp932::FromUtf8(record::header::kPeriodPrefix);
    if (line.starts_with(kPrefix)) line.remove_prefix(kPrefix.size());
    const auto tokens = Tokens(line);
    if (tokens.size() != 6) return Text(record::header::kPeriod);
    static constexpr std::string_view kUnits[] = {"年", "月", "日"};
    std::string dates[2];
    for (std::size_t i = 0; i < 6; ++i) {
      if (NoValue(tokens[i])) continue;
      if (!IsNumber(tokens[i])) return Text(record::header::kPeriod);
      dates[i / 3] += std::string(canvas_.Utf8(tokens[i])) + std::string(kUnits[i % 3]);
    }
    if (dates[0].empty() && dates[1].empty()) return {};
    return canvas_.Hold(dates[0] + "〜" + dates[1]);
  }

 private:
  const BoringLog& log_;
  Canvas& canvas_;
};

}  // namespace

void LogFrame::LayOutTitle(const BoringLog& log, Canvas& canvas) {
  namespace line = record::header;
  TitleValues values(log, canvas);
  const std::string_view drilled = Tokens(log.header[line::kDrilled]).empty()
                                       ? std::string_view()
                                       : Tokens(log.header[line::kDrilled])[0];
  auto make = [](std::string_view label, double width, std::string_view value) {
    TitleCell c;
    c.label = label;
    c.width = width;
    c.value = value;
    return c;
  };
  title_ = {{
      {{make("調査名", 110, values.Text(line::kProject)),
        make("事業・工事名", 86, values.Text(line::kWork))}},
      {{make("ボーリング名", 38, values.Text(line::kBoringName)),
        make("孔番号", 30, values.Text(log.boring_number)),
        make("調査位置", 68, values.Text(line::kLocation)),
        make("発注機関", 60, values.Text(line::kClient))}},
      {{make("調査期間", 62, values.Period()), make("調査業者", 64, values.Text(line::kCompany)),
        make("技術者", 70, values.Joined(line::kEngineers, line::kEngineers, "、"))}},
      {{make("孔口標高", 28, values.Measure(log.header[line::kElevation], " m")),
        make("総掘進長", 28, values.Measure(drilled, " m")),
        make("緯度", 30, values.Angle(line::kLatitude)),
        make("経度", 30, values.Angle(line::kLongitude)),
        make("角度・方位・勾配", 36, values.Joined(line::kAngles, line::kAngles, " / ")),
        make("試錐機", 44, values.Joined(line::kMachineFirst, line::kMachineLast, " / "))}},
  }};
  title_notes_.clear();
  title_pointers_.clear();
  for (auto& row : title_) {
    for (TitleCell& cell : row) {
      cell.lines.clear();
      cell.mark = {};
      if (cell.value.empty()) continue;
      const double room = cell.width - TextWidth(cell.label, kLabelSize) - 2.2;
      // At the value size, at a smaller one, on two lines, or else in the notes.
      for (const double size : {kValueSize, 1.6, kSmallSize}) {
        cell.lines.clear();
        WrapText(cell.value, size, room, cell.lines);
        cell.size = size;
        if (cell.lines.size() == 1 || (size == kSmallSize && cell.lines.size() == 2)) break;
      }
      if (cell.lines.size() > 2) {
        cell.lines.clear();
        const int number = canvas.AddNote(-1, cell.label, "", std::string(cell.value), true);
        cell.mark = canvas.Hold("※" + std::to_string(number));
        const std::string mark = "※" + std::to_string(number) + " " + std::string(cell.label);
        title_notes_.push_back({false, mark + ": " + std::string(cell.value)});
        title_pointers_.push_back({false, mark + ": 1枚目の注記に全文"});
      }
    }
  }
}

void LogFrame::LayOut(const BoringLog& log, const std::vector<std::string>& cautions,
                      Canvas& canvas, const std::array<bool, kSoilClassCount>& classes_used) {
  classes_ = classes_used;
  denominator_ = canvas.scale().denominator;
  LayOutTitle(log, canvas);
  const auto body_pages = static_cast<std::size_t>(canvas.body_pages());
  footers_.resize(body_pages);
  for (auto& entries : footers_) entries.clear();
  for (const std::string& caution : cautions) footers_[0].push_back({true, caution});
  // A title value without room in its cell is written whole on the first page; the other pages,
  // which show the same title block, point there.
  footers_[0].insert(footers_[0].end(), title_notes_.begin(), title_notes_.end());
  for (std::size_t page = 1; page < body_pages; ++page) {
    footers_[page].insert(footers_[page].end(), title_pointers_.begin(), title_pointers_.end());
  }
  for (const LogNote& note : canvas.notes()) {
    if (note.page < 0) continue;  // the title's, laid out above
    std::string text = note.number != 0 ? "※" + std::to_string(note.number) + " " : "";
    text += std::string(note.column);
    if (!note.where.empty()) text += " " + note.where;
    text += ": " + note.text;
    footers_[static_cast<std::size_t>(note.page)].push_back({false, std::move(text)});
  }
  for (auto& entries : footers_) {
    for (Entry& entry : entries) Shorten(entry, kMostEntryBytes);
  }
  // What a body page's footer has no room for follows on pages of their own.
  pages_.clear();
  more_.clear();
  for (std::size_t page = 0; page < body_pages; ++page) {
    auto& entries = footers_[page];
    Position fit = AppendEntries(entries, {}, kEntriesTop, sheet::kFootBottom, false, nullptr);
    if (fit.entry < entries.size()) {
      // Two lines left for saying where the rest is.
      fit = AppendEntries(entries, {}, kEntriesTop, sheet::kFootBottom - 2 * kEntryStep, false,
                          nullptr);
      for (std::size_t i = fit.entry; i < entries.size(); ++i) {
        entries[i].text = "(" + std::to_string(page + 1) + "枚目) " + entries[i].text;
        entries[i].line_ends.clear();
        more_.push_back(std::move(entries[i]));
      }
      entries.resize(fit.entry);
      entries.push_back(
          {false, "この枚の注意・注記の続きは、後の「注意・注記（続き）」の枚にあります。"});
    }
    pages_.push_back({true, &entries, {}, {entries.size(), 0}});
  }
  // Beyond all reason (texts of megabytes), each entry past the first megabyte keeps only its
  // start and says how much is left out, so that the pages of notes stay bounded.
  std::size_t bytes = 0;
  for (Entry& entry : more_) {
    bytes += entry.text.size();
    if (bytes > kMostNoteBytes) Shorten(entry, kShortEntryBytes);
  }
  for (Position at; at.entry < more_.size();) {
    const Position to = AppendEntries(more_, at, kMoreTop, sheet::kFootBottom, true, nullptr);
    pages_.push_back({false, &more_, at, to});
    at = to;
  }
}

void LogFrame::Shorten(Entry& entry, std::size_t most) {
  if (entry.text.size() <= most) return;
  std::size_t keep = most;
  while (keep > 0 && (static_cast<unsigned char>(entry.text[keep]) & 0xC0) == 0x80) --keep;
  const std::size_t left = entry.text.size() - keep;
  entry.text.resize(keep);
  entry.text += "…（以下 " + std::to_string(left) + " バイトは長すぎるため省略）";
  entry.line_ends.clear();
}

void LogFrame::Wrap(const Entry& entry) {
  wrapped_.clear();
  if (entry.line_ends.empty()) {
    WrapText(entry.text, kEntrySize, kEntryWidth, wrapped_);
    for (const std::string_view line : wrapped_) {
      entry.line_ends.push_back(static_cast<std::size_t>(line.data() - entry.text.data()) +
                                line.size());
    }
    return;
  }
  std::size_t start = 0;
  for (const std::size_t end : entry.line_ends) {
    wrapped_.push_back(std::string_view(entry.text).substr(start, end - start));
    start = end;
  }
}

LogFrame::Position LogFrame::AppendEntries(const std::vector<Entry>& entries, Position from,
                                           double top, double bottom, bool split, Markup* out) {
  for (const double x : kEntryColumns) {
    double y = top;
    int group = -1;  // 1 cautions, 0 notes
    while (from.entry < entries.size()) {
      const Entry& entry = entries[from.entry];
      Wrap(entry);
      const bool heading = from.line == 0 && group != static_cast<int>(entry.caution);
      std::size_t shown = wrapped_.size() - from.line;
      const double need = static_cast<double>(shown + (heading ? 1 : 0)) * kEntryStep;
      if (y + need > bottom + 1e-9) {
        // Kept whole in the next column, unless no column holds it.
        if (!split || y != top) break;
        shown = static_cast<std::size_t>(std::floor((bottom - y) / kEntryStep + 1e-9)) -
                (heading ? 1 : 0);
      }
      if (out != nullptr) {
        if (heading) {
          AppendText(*out, x, y + kAscent * kEntrySize, kEntrySize, entry.caution ? "注意" : "注記",
                     entry.caution ? "caution-heading" : "notes-heading");
        }
        AppendText(*out, x, y + (heading ? kEntryStep : 0) + kAscent * kEntrySize, kEntrySize,
                   std::span(wrapped_).subspan(from.line, shown), entry.caution ? "caution" : "");
      }
      y += need - static_cast<double>(wrapped_.size() - from.line - shown) * kEntryStep;
      group = static_cast<int>(entry.caution);
      from.line += shown;
      if (from.line == wrapped_.size()) from = {from.entry + 1, 0};
      if (from.line != 0) break;  // the rest of a cut entry goes on in the next column
    }
  }
  return from;
}

void LogFrame::AppendTitle(Markup& out) const {
  out << "<g id=\"title\" class=\"title\">\n";
  AppendText(out, sheet::kLeft, 11.6, 3.4, "ボーリング柱状図", "b");
  out << "<path class=\"rule\" d=\"";
  for (int row = 0; row <= 4; ++row) {
    out << 'M' << sheet::kLeft << ' ' << kFirstRow + row * kRowHeight << 'H' << sheet::kRight;
  }
  out << "\"/>\n";
  for (std::size_t row = 0; row < title_.size(); ++row) {
    const double top = kFirstRow + static_cast<double>(row) * kRowHeight;
    double x = sheet::kLeft;
    for (const TitleCell& cell : title_[row]) {
      if (cell.label.empty()) continue;
      const double label_width = TextWidth(cell.label, kLabelSize) + 1.2;
      out << "<rect class=\"label\" x=\"" << x << "\" y=\"" << top << "\" width=\"" << label_width
          << "\" height=\"" << kRowHeight << "\"/>\n";
      out << "<path class=\"rule\" d=\"M" << x << ' ' << top << 'v' << kRowHeight << 'M'
          << x + label_width << ' ' << top << 'v' << kRowHeight << "\"/>\n";
      AppendText(out, x + 0.6, top + 3.1, kLabelSize, cell.label);
      const double value_x = x + label_width + 0.8;
      if (!cell.mark.empty()) {
        AppendText(out, value_x, top + 3.4, kSmallSize, cell.mark, "mark");
      } else if (cell.lines.size() == 1) {
        AppendText(out, value_x, top + 2.5 + kAscent * cell.size / 2, cell.size, cell.lines, {});
      } else if (!cell.lines.empty()) {
        AppendText(out, value_x, top + 0.4 + kAscent * cell.size, cell.size, cell.lines);
      }
      x += cell.width;
    }
  }
  out << "<path class=\"rule\" d=\"M" << sheet::kRight << ' ' << kFirstRow << 'v' << 4 * kRowHeight
      << "\"/>\n</g>\n";
}

void LogFrame::AppendHeadings(Markup& out) {
  static const std::string headings = [] {
    Markup h;
    constexpr double kGroupBottom = sheet::kHeadTop + 4.5;
    constexpr double kSubTop = sheet::kBodyTop - 3.5;
    h << "<g class=\"headings\">\n<path class=\"rule\" d=\"M" << sheet::kLeft << ' '
      << sheet::kHeadTop << 'H' << sheet::kRight << 'M' << sheet::kLeft << ' ' << sheet::kBodyTop
      << 'H' << sheet::kRight << 'M' << sheet::kLeft << ' ' << sheet::kBodyBottom << 'H'
      << sheet::kRight;
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
      // The columns of the penetration tests part below their group's heading.
      const bool in_group = c > sheet::kSptDepthColumn && c <= sheet::kChartColumn;
      h << 'M' << kColumns[c].x << ' ' << (in_group ? kGroupBottom : sheet::kHeadTop) << 'V'
        << sheet::kBodyBottom;
    }
    h << 'M' << sheet::kRight << ' ' << sheet::kHeadTop << 'V' << sheet::kBodyBottom;
    const sheet::Column& spt = kColumns[sheet::kSptDepthColumn];
    const sheet::Column& chart = kColumns[sheet::kChartColumn];
    h << 'M' << spt.x << ' ' << kGroupBottom << 'H' << chart.x + chart.width;
    h << "\"/>\n";
    const sheet::Column& blows = kColumns[sheet::kBlowsColumn];
    h << "<path class=\"thin\" d=\"M" << blows.x << ' ' << kSubTop << 'h' << blows.width;
    for (int b = 1; b < 3; ++b) {
      h << 'M' << blows.x + blows.width * b / 3 << ' ' << kSubTop << 'V' << sheet::kBodyBottom;
    }
    h << "\"/>\n";
    AppendText(h, spt.x + (chart.x + chart.width - spt.x) / 2, sheet::kHeadTop + 3.3, kCaptionSize,
               "標準貫入試験", "m");
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
      const sheet::Column& column = kColumns[c];
      const bool in_group = c >= sheet::kSptDepthColumn && c <= sheet::kChartColumn;
      const double top = in_group ? kGroupBottom : sheet::kHeadTop;
      const double bottom =
          c == sheet::kBlowsColumn || c == sheet::kChartColumn ? kSubTop : sheet::kBodyTop;
      std::size_t lines = 0;
      while (lines < column.caption.size() && !column.caption[lines].empty()) ++lines;
      const double step = kCaptionSize * kLineStep;
      const double first =
          (top + bottom) / 2 - static_cast<double>(lines) * step / 2 + kAscent * kCaptionSize + 0.1;
      AppendText(h, column.x + column.width / 2, first, kCaptionSize,
                 std::span(column.caption.data(), lines), "m");
    }
    // The blows of each 10 cm, and the N-value axis.
    constexpr std::string_view kSteps[] = {"0-10", "10-20", "20-30"};
    for (int b = 0; b < 3; ++b) {
      AppendText(h, blows.x + blows.width * (2 * b + 1) / 6, sheet::kBodyTop - 0.9, 1.1, kSteps[b],
                 "m");
    }
    for (int n = 0; n <= 50; n += 10) {
      AppendText(h, chart.x + 1 + (chart.width - 2) * n / 50, sheet::kBodyTop - 0.9, 1.2,
                 std::to_string(n), "m");
    }
    h << "</g>\n";
    return h.Take();
  }();
  out << headings;
}

void LogFrame::AppendLegend(Markup& out) const {
  out << "<g class=\"legend\">\n";
  AppendText(out, sheet::kLeft, kLegendTop + 2.9, kCaptionSize, "凡例", "b");
  double x = sheet::kLeft + 6;
  for (std::size_t c = 1; c < kSoilClassCount; ++c) {
    if (!classes_[c]) continue;
    const SoilClassLook& look = LookOf(static_cast<SoilClass>(c));
    AppendSymbol(out, {static_cast<SoilClass>(c), SoilClass::kNone}, x, kLegendTop + 0.4, 6, 3.4);
    AppendText(out, x + 7, kLegendTop + 2.9, kCaptionSize, look.name);
    x += 7 + TextWidth(look.name, kCaptionSize) + 3;
  }
  out << "</g>\n";
}

void LogFrame::AppendDefs(Markup& out) const {
  AppendTitle(out);
  out << "<g id=\"frame\">\n";
  AppendHeadings(out);
  AppendLegend(out);
  out << "</g>\n";
}

void LogFrame::AppendPage(int page, Canvas& canvas, Markup& out) {
  const Page& p = pages_[static_cast<std::size_t>(page)];
  out << "<use href=\"#title\"/>\n";
  const std::string number = "縮尺 1:" + std::to_string(denominator_) + "　　" +
                             std::to_string(page + 1) + " / " + std::to_string(pages()) + " 枚";
  AppendText(out, sheet::kRight, 11.6, kValueSize, number, "e");
  if (p.body) {
    out << "<use href=\"#frame\"/>\n<g class=\"body\">\n"
        << canvas.Page(page).view() << "</g>\n<g class=\"footer\">\n";
    AppendEntries(*p.entries, p.from, kEntriesTop, sheet::kFootBottom, false, &out);
  } else {
    out << "<g class=\"footer\">\n";
    AppendText(out, sheet::kLeft, sheet::kHeadTop + 5, kValueSize, "注意・注記（続き）", "b");
    AppendEntries(*p.entries, p.from, kMoreTop, sheet::kFootBottom, true, &out);
  }
  out << "</g>\n";
}

}  // namespace tavrimen::preview
