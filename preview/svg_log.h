// The picture of a boring as a boring log in the standard form, one self-contained SVG (UTF-8) of
// A4 portrait pages at true scale, one below the other, that prints as one page a sheet: on each
// page the title block, the columns from the scale and the elevation to the drilling progress,
// and a footer with the legend of soil symbols, the cautions and the notes. Depths are drawn at
// 1:100, or at the first smaller standard scale that takes at most twenty pages. Every text of
// the record file is on paper, drawn whole in its column or written whole in the notes of the
// page with a numbered mark in its place; a value that cannot be drawn as data is said in a
// caution.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "preview/boring_log.h"
#include "preview/log_canvas.h"
#include "preview/log_facts.h"
#include "preview/log_frame.h"
#include "preview/markup.h"

namespace tavrimen::preview {

// Draws one boring after another, as a batch does: the room of its text and of its pages is kept
// for the next picture.
class LogDrawer {
 public:
  // The log as an SVG document, valid until the next picture.
  std::string_view Draw(const BoringLog& log);

 private:
  Markup svg_;
  LogFacts facts_;
  Canvas canvas_;
  LogFrame frame_;
};

// The log as an SVG document.
std::string DrawBoringLog(const BoringLog& log);

}  // namespace tavrimen::preview
