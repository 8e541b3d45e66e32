#include "preview/log_canvas.h"

#include <algorithm>
#include <cmath>

#include "platform/cp932.h"
#include "preview/log_facts.h"
#include "preview/text_fit.h"

namespace tavrimen::preview {
namespace {

// A figure rather than words: a number, a range of depths or a code, with at most one
// full-width character (the 〜 of a range); it reads badly broken across lines.
bool IsFigure(std::string_view utf8) {
  int full_width = 0;
  for (const char c : utf8) full_width += static_cast<unsigned char>(c) >= 0xE0;
  return full_width <= 1;
}

}  // namespace

void Canvas::Start(sheet::Scale scale, int body_pages) {
  scale_ = scale;
  body_pages_ = body_pages;
  // The pages keep their room for the next picture.
  if (pages_.size() < static_cast<std::size_t>(body_pages)) pages_.resize(body_pages);
  for (Markup& page : pages_) page.Clear();
  texts_used_ = 0;
  notes_.clear();
  marks_ = 0;
}

int Canvas::PageOf(double u) const {
  const int page = static_cast<int>(std::ceil(u / sheet::kBodyHeight)) - 1;
  return std::clamp(page, 0, body_pages_ - 1);
}

std::string_view Canvas::Utf8(std::string_view cp932) {
  if (texts_used_ == texts_.size()) texts_.emplace_back();
  std::string& text = texts_[texts_used_++];
  text.resize(cp932::Utf8Room(cp932.size()));
  text.resize(static_cast<std::size_t>(cp932::DecodeUtf8(cp932, text.data()) - text.data()));
  return text;
}

std::string_view Canvas::Hold(std::string text) {
  if (texts_used_ == texts_.size()) texts_.emplace_back();
  std::string& held = texts_[texts_used_++];
  held = std::move(text);
  return held;
}

int Canvas::AddNote(int page, std::string_view column, std::string where, std::string text,
                    bool marked) {
  const int number = marked ? ++marks_ : 0;
  notes_.push_back({number, page, column, std::move(where), std::move(text)});
  return number;
}

void AppendText(Markup& out, double x, double y, double size,
                std::span<const std::string_view> lines, std::string_view classes) {
  if (lines.empty()) return;
  out << "<text x=\"" << x << "\" y=\"" << y << '"';
  // The usual sizes by class, others as attributes.
  const bool small = size == kSmallSize;
  if (small || !classes.empty()) {
    out << " class=\"" << (small ? "s" : "") << (small && !classes.empty() ? " " : "") << classes
        << '"';
  }
  if (size != kTextSize && !small) out << " font-size=\"" << size << '"';
  out << '>';
  if (lines.size() == 1) {
    out << Escaped{lines[0]} << "</text>\n";
    return;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out << "<tspan x=\"" << x << "\" y=\"" << y + static_cast<double>(i) * size * kLineStep << "\">"
        << Escaped{lines[i]} << "</tspan>";
  }
  out << "</text>\n";
}

ColumnText::ColumnText(Canvas& canvas, sheet::ColumnId column)
    : ColumnText(canvas, column, sheet::kColumns[column].x + kSidePad,
                 sheet::kColumns[column].width - 2 * kSidePad) {}

ColumnText::ColumnText(Canvas& canvas, sheet::ColumnId column, double x, double width)
    : canvas_(canvas), column_(column), x_(x), width_(width) {}

bool ColumnText::Lines(std::span<const std::string_view> paragraphs, double size, bool joined,
                       std::string_view joiner) {
  lines_.clear();
  // The hundredths of an em a line holds at this size.
  const double room = 100 * width_ / size + 1e-9;
  if (!joined) {
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
      if (paragraphs[i].empty()) continue;
      if (widths_[i] <= room) {
        lines_.push_back(paragraphs[i]);
      } else {
        WrapText(paragraphs[i], size, width_, lines_);
      }
    }
    return true;
  }
  // Whole paragraphs side by side while they fit the width; one wider than the width alone on
  // its lines.
  joined_used_ = 0;
  bool shared = false;
  std::string* line = nullptr;
  int line_width = 0;
  const int joiner_width = TextEms(joiner);
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    const std::string_view paragraph = paragraphs[i];
    if (paragraph.empty()) continue;
    if (line != nullptr && line_width + joiner_width + widths_[i] <= room) {
      *line += joiner;
      *line += paragraph;
      lines_.back() = *line;
      line_width += joiner_width + widths_[i];
      shared = true;
      continue;
    }
    const std::size_t first = lines_.size();
    WrapText(paragraph, size, width_, lines_);
    if (joined_used_ == joined_.size()) joined_.emplace_back();
    line = &joined_[joined_used_++];
    line->assign(lines_.back());
    lines_.back() = *line;
    line_width = widths_[i];
    if (lines_.size() - first > 1) line = nullptr;  // a wrapped paragraph shares no line
  }
  return shared;
}

std::size_t ColumnText::FewestLines(double size, bool joined) const {
  const double room = 100 * width_ / size;
  double total = 0;
  std::size_t lines = 0;
  for (const int width : widths_) {
    if (width == 0) continue;
    if (joined) {
      total += width;
    } else {
      lines += static_cast<std::size_t>(std::max(1.0, std::ceil(width / room - 1e-9)));
    }
  }
  return joined ? static_cast<std::size_t>(std::ceil(total / room - 1e-9)) : lines;
}

bool ColumnText::Place(double anchor, double limit, std::span<const std::string_view> paragraphs,
                       Depths where, std::string_view joiner) {
  widths_.clear();
  bool any = false;
  for (const std::string_view paragraph : paragraphs) {
    widths_.push_back(TextEms(paragraph));
    any = any || !paragraph.empty();
  }
  if (!any) return true;
  // The first of these that fits: apart, then joined on shared lines, at the text size and then
  // at the small size; the text size only where it breaks no figure that the small size keeps on
  // one line.
  struct Try {
    double size;
    bool joined;
  };
  static constexpr Try kTries[] = {
      {kTextSize, false}, {kTextSize, true}, {kSmallSize, false}, {kSmallSize, true}};
  bool text_size = true;
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    const double width = widths_[i] * kTextSize / 100;
    if (width > width_ + 1e-9 && width * kSmallSize / kTextSize <= width_ + 1e-9 &&
        IsFigure(paragraphs[i])) {
      text_size = false;
    }
  }
  const double start = std::max(anchor, cursor_);
  const double end = std::min(limit, canvas_.End());
  // Where a block `height` high goes: at `start`, or at the top of the next page when it would
  // cross the end of this one.
  auto at = [&](double height) {
    const int page = canvas_.PageOf(start + 1e-9);
    return start + height > canvas_.PageEnd(page) + 1e-9 ? canvas_.PageStart(page + 1) : start;
  };
  for (const Try& t : kTries) {
    if (t.size == kTextSize && !text_size) continue;
    const double step = t.size * kLineStep;
    if (start + kPad + static_cast<double>(FewestLines(t.size, t.joined)) * step > end + 1e-9) {
      continue;
    }
    if (!Lines(paragraphs, t.size, t.joined, joiner)) continue;
    const double height = kPad + static_cast<double>(lines_.size()) * step;
    const double top = at(height);
    if (top + height > end + 1e-9) continue;
    const int page = canvas_.PageOf(top + 1e-9);
    AppendText(canvas_.Page(page), x_, canvas_.PageY(top, page) + kPad + kAscent * t.size, t.size,
               lines_);
    cursor_ = top + height;
    return true;
  }
  // No room: the text goes whole to the notes, with a mark in its place where one fits.
  std::string text;
  for (const std::string_view paragraph : paragraphs) {
    if (paragraph.empty()) continue;
    if (!text.empty()) text += joiner;
    text += paragraph;
  }
  const double height = kPad + kSmallSize * kLineStep;
  const double top = at(height);
  const bool marked = top + height <= end + 1e-9;
  const int page = canvas_.PageOf((marked ? top : anchor) + 1e-9);
  const int number = canvas_.AddNote(page, sheet::kColumns[column_].caption_name, DepthRange(where),
                                     std::move(text), marked);
  if (marked) {
    const std::string_view mark = canvas_.Hold("※" + std::to_string(number));
    AppendText(canvas_.Page(page), x_, canvas_.PageY(top, page) + kPad + kAscent * kSmallSize,
               kSmallSize, mark, "mark");
    cursor_ = top + height;
  }
  return false;
}

std::string DepthRange(Depths depths) {
  if (std::abs(depths.bottom - depths.top) < 0.005) return Metres(depths.top) + " m";
  return Metres(depths.top) + "〜" + Metres(depths.bottom) + " m";
}

}  // namespace tavrimen::preview
