// The record blocks that follow the layer block, in the order of the record file:
// X5 depth records, X6 intervals, X11 intervals, N8 dated values with the five 1100 lines and the
// N9 dated values (1200 lines), X7 tests (1300 lines) and, last, one 1400 line per X6 record.
//
// `folder` is the source folder. Each block reads its own file; a missing or empty file gives only
// the block's closing line, where it has one.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "output/line_buffer.h"
#include "reference/dictionaries.h"
#include "source/record_file.h"

namespace tavrimen {

// X5.TXT: one line per record with the depth computed from whole metres and hundredths; "-1".
void WriteX5Block(const DataFolder& folder, LineBuffer& lines);

// An X6 code as a two-character column: trimmed, two blanks in front, the last two characters
// kept (so " 5" for 5, "12" for 12, "  " for none).
std::string X6CodeColumn(std::string_view field);

// The two-character codes of one X6 record that name its sample: its first ten.
using X6CodeRow = std::array<std::string, 10>;

// X6.TXT: one line per record; "-1". Returns each record's code row for the 1400 lines.
std::vector<X6CodeRow> WriteX6Block(const DataFolder& folder, LineBuffer& lines);

// X11.TXT: one interval per record, its top from the previous bottom, its name from L10; "-1".
void WriteX11Block(const DataFolder& folder, CodeTables& code_tables, LineBuffer& lines);

// N8.TXT with its "-1", the five 1100 lines (the first carries CNT.TXT field 3), then N9.TXT as
// 1200 lines.
void WriteDatedBlocks(const DataFolder& folder, const std::string& boring_number,
                      LineBuffer& lines);

// X7.TXT: one 1300 line per used slot, named from L8 and paired with the next slot of its code.
void WriteX7Block(const DataFolder& folder, CodeTables& code_tables, LineBuffer& lines);

// One 1400 line per X6 record: the L100 texts of its first ten codes, four characters each.
void Write1400Lines(const std::vector<X6CodeRow>& code_rows, CodeTables& code_tables,
                    LineBuffer& lines);

}  // namespace tavrimen
