// What the parts of a log's drawing share: the pages being written, the scale, the texts, and the
// numbered notes that take the texts a column has no room for. Depths go down the body as u, the
// millimetres from the top of the log's first body; page p holds u from 200 p to 200 (p + 1).
#pragma once

#include <deque>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "preview/log_sheet.h"
#include "preview/markup.h"
#include "preview/soil_symbols.h"

namespace tavrimen::preview {

// The depths a text belongs to, in metres.
struct Depths {
  double top;
  double bottom;
};
// "2.00〜2.80 m", or "2.00 m" for one depth.
std::string DepthRange(Depths depths);

// A text given no room where it belongs, written whole in the notes list of a page: `number` is
// the mark left in its place (0 when not even the mark had room).
struct LogNote {
  int number = 0;
  int page = 0;
  std::string_view column;  // the column's caption
  std::string where;        // its depths, "2.00〜2.80 m"
  std::string text;
};

// The sizes of text, in millimetres.
inline constexpr double kTextSize = 1.8;
inline constexpr double kSmallSize = 1.5;
inline constexpr double kCaptionSize = 1.5;
inline constexpr double kValueSize = 2.0;
// A line of text `size` high takes this many times its size, baseline to baseline; its box
// reaches kAscent of its size above the baseline and kDescent below.
inline constexpr double kLineStep = 1.25;
inline constexpr double kAscent = 0.88;
inline constexpr double kDescent = 0.12;
// The room left above the first line of a block and beside a column's texts.
inline constexpr double kPad = 0.2;
inline constexpr double kSidePad = 0.5;

class Canvas {
 public:
  void Start(sheet::Scale scale, int body_pages);

  sheet::Scale scale() const { return scale_; }
  int body_pages() const { return body_pages_; }
  // The body's u of a depth, and the page and page y of a u. A u at a page's end is on the page
  // above it.
  double U(double depth) const { return depth * scale_.MmPerMetre(); }
  int PageOf(double u) const;
  double PageY(double u, int page) const { return sheet::kBodyTop + u - page * sheet::kBodyHeight; }
  double PageStart(int page) const { return page * sheet::kBodyHeight; }
  double PageEnd(int page) const { return (page + 1) * sheet::kBodyHeight; }
  double End() const { return PageEnd(body_pages_ - 1); }

  // The markup of body page `page` (0-based).
  Markup& Page(int page) { return pages_[static_cast<std::size_t>(page)]; }

  // A text (code page 932) as UTF-8, held as long as the drawing.
  std::string_view Utf8(std::string_view cp932);
  // A UTF-8 text held as long as the drawing.
  std::string_view Hold(std::string text);

  // A note for a text that had no room; returns its mark's number.
  int AddNote(int page, std::string_view column, std::string where, std::string text, bool marked);
  const std::vector<LogNote>& notes() const { return notes_; }

  // The soil symbols of the layers, kept from one picture to the next.
  SymbolCache& symbols() { return symbols_; }

 private:
  sheet::Scale scale_;
  int body_pages_ = 1;
  std::vector<Markup> pages_;
  std::deque<std::string> texts_;  // a deque, so that views of its strings stay valid
  std::size_t texts_used_ = 0;
  std::vector<LogNote> notes_;
  int marks_ = 0;
  SymbolCache symbols_;
};

// Appends a text element with `lines` from the baseline `y` down, `size` high, at `x` (its left,
// or its right with the attribute text-anchor="end" in `attributes`).
void AppendText(Markup& out, double x, double y, double size,
                std::span<const std::string_view> lines, std::string_view attributes = {});
inline void AppendText(Markup& out, double x, double y, double size, std::string_view line,
                       std::string_view attributes = {}) {
  AppendText(out, x, y, size, std::span(&line, 1), attributes);
}

// Places the texts of one column of the body, top down: each block at its anchor or below the
// block before it, within its limit and on one page, wrapped to the column; a block without room
// leaves a numbered mark and goes whole to the notes.
class ColumnText {
 public:
  ColumnText(Canvas& canvas, sheet::ColumnId column);
  ColumnText(Canvas& canvas, sheet::ColumnId column, double x, double width);

  // The paragraphs of a block (UTF-8), each starting a new line, placed from `anchor` (u) on and
  // ending by `limit` (u); `joiner` joins them when they do not fit apart. `where` names its
  // depths for the notes. True when drawn in full.
  bool Place(double anchor, double limit, std::span<const std::string_view> paragraphs,
             Depths where, std::string_view joiner = "　");
  bool Place(double anchor, double limit, std::initializer_list<std::string_view> paragraphs,
             Depths where, std::string_view joiner = "　") {
    return Place(anchor, limit, std::span(paragraphs.begin(), paragraphs.size()), where, joiner);
  }

  // Where the last block ended (u).
  double cursor() const { return cursor_; }

 private:
  // The lines of the paragraphs at `size`: each paragraph on lines of its own, or else as
  // many whole paragraphs a line as fit, joined by `joiner`. False when the joined lines are the
  // same as the lines apart.
  bool Lines(std::span<const std::string_view> paragraphs, double size, bool joined,
             std::string_view joiner);
  // At least how many lines the paragraphs take at `size`, from their widths.
  std::size_t FewestLines(double size, bool joined) const;

  Canvas& canvas_;
  sheet::ColumnId column_;
  double x_;
  double width_;
  double cursor_ = 0;
  std::vector<std::string_view> lines_;
  std::vector<int> widths_;         // the width of each paragraph in hundredths of an em
  std::deque<std::string> joined_;  // the lines that join paragraphs
  std::size_t joined_used_ = 0;
};

}  // namespace tavrimen::preview
