// The frame of a boring log's pages: the title block with every header field that holds a value,
// the column headings, the rules between the columns, and the footer with the legend of soil
// symbols, the cautions and the notes; pages for what the footers have no room for. The title
// block is laid out in log_title.cpp, the rest in log_frame.cpp.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "preview/boring_log.h"
#include "preview/log_canvas.h"
#include "preview/soil_symbols.h"

namespace tavrimen::preview {

// A page of a log's picture: its body (empty for a page of notes) and its frame.
class LogFrame {
 public:
  // Lays out the title block of `log` (its notes go to every page) and the footers: cautions on
  // the first page, each page's notes on it, and what does not fit on pages of their own.
  void LayOut(const BoringLog& log, const std::vector<std::string>& cautions, Canvas& canvas,
              const std::array<bool, kSoilClassCount>& classes_used);

  int pages() const { return static_cast<int>(pages_.size()); }

  // Appends what every page shows (the title block; the headings and the legend of a page with
  // a body), for the pages to use.
  void AppendDefs(Markup& out) const;
  // Appends page `page` (0-based) of `pages()`: its frame, and the body from the canvas.
  void AppendPage(int page, Canvas& canvas, Markup& out);

 private:
  struct TitleCell {
    std::string_view label;
    double width = 0;
    std::string_view value;  // UTF-8
    std::vector<std::string_view> lines;
    double size = 0;
    std::string_view mark;  // in place of the value, when it went to the notes
  };
  // A caution or a note in a footer.
  struct Entry {
    Entry() = default;
    Entry(bool is_caution, std::string utf8) : caution(is_caution), text(std::move(utf8)) {}
    bool caution = false;
    std::string text;                            // UTF-8
    mutable std::vector<std::size_t> line_ends;  // where its lines end, once wrapped
  };
  // The lines of an entry, into wrapped_.
  void Wrap(const Entry& entry);
  // Cuts an entry's text to at most `most` bytes, saying how many it leaves out.
  static void Shorten(Entry& entry, std::size_t most);
  // Where a footer's entries start: an entry, and a line of it.
  struct Position {
    std::size_t entry = 0;
    std::size_t line = 0;
  };
  struct Page {
    bool body = false;
    const std::vector<Entry>* entries = nullptr;
    Position from;
    Position to;
  };

  void LayOutTitle(const BoringLog& log, Canvas& canvas);
  void AppendTitle(Markup& out) const;
  static void AppendHeadings(Markup& out);
  void AppendLegend(Markup& out) const;
  // Writes `entries` from `from` on into two columns from `top` down to `bottom`, under their
  // headings, and returns where it stopped. An entry is kept whole unless `split` and no empty
  // column holds it. Nothing is written when `out` is null.
  Position AppendEntries(const std::vector<Entry>& entries, Position from, double top,
                         double bottom, bool split, Markup* out);

  std::array<std::array<TitleCell, 6>, 4> title_{};
  std::vector<Entry> title_notes_;     // on the first page
  std::vector<Entry> title_pointers_;  // on the others
  std::array<bool, kSoilClassCount> classes_{};
  std::vector<std::vector<Entry>> footers_;  // each body page's entries
  std::vector<Entry> more_;                  // what their footers have no room for
  std::vector<Page> pages_;
  std::vector<std::string_view> wrapped_;
  int denominator_ = 100;
};

}  // namespace tavrimen::preview
