// The lines of the record file, built in memory and written in one pass.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "source/record_lines.h"

namespace tavrimen {

// The record file's lines 1 to 1000 (code page 932 texts). Line 1 is the header line, lines 2 to
// 20 the header area, line 21 the soil-pattern line; the blocks append from line 22 on.
class LineBuffer {
 public:
  static constexpr int kCapacity = 1000;
  static constexpr int kFirstBlockLine = record::header::kFirstBlockLine;

  // Empties every line; the next free line is 22.
  void Clear();

  std::string& Line(int index) { return lines_.at(static_cast<std::size_t>(index)); }
  const std::string& Line(int index) const { return lines_.at(static_cast<std::size_t>(index)); }

  // Stores `line` at the next free line. Throws LineLimitError when all 1000 lines are used.
  void Append(std::string line);

  // The index of the next free line.
  int NextLine() const { return next_line_; }

  // Lines 1 to NextLine() - 1, each followed by CR LF. A line end inside a line (from a quoted
  // field) is written as one blank.
  std::string FileContent() const;

 private:
  std::array<std::string, kCapacity + 1> lines_;
  int next_line_ = kFirstBlockLine;
};

// The text of a depth with exactly two decimals, cut and not rounded, with no zero before the
// point below 1: from the value's general text form (7 significant digits for single precision,
// 15 for double). A negative value loses its sign.
std::string FormatTwoDecimals(float value);
std::string FormatTwoDecimals(double value);

}  // namespace tavrimen
