#include "preview/log_frame.h"

#include <algorithm>
#include <cmath>

#include "preview/text_fit.h"

namespace tavrimen::preview {
namespace {

using sheet::kColumns;

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

}  // namespace

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
