#include "output/record_blocks.h"
#include "platform/cp932.h"
#include "source/record_file.h"
#include "source/record_lines.h"

namespace tavrimen {
namespace {

// The lines of N8.TXT or N9.TXT: value, month and day.
void WriteDatedValues(const DataFolder& folder, const RecordFileLayout& layout,
                      const record::LineLayout<record::dated::kFieldCount>& line,
                      LineBuffer& lines) {
  auto file = RecordFile::Open(folder, layout);
  if (!file) return;
  for (const Record& f : file->records()) {
    // The date reads year/month/day: month at characters 6 and 7, day at 9 and 10.
    const std::string_view month = cp932::CharSubstring(f[2], 5, 2);
    const std::string_view day = cp932::CharSubstring(f[2], 8, 2);
    lines.Append(record::Compose(line, {f[3], month, day}));
  }
}

}  // namespace

void WriteDatedBlocks(const DataFolder& folder, const std::string& boring_number,
                      LineBuffer& lines) {
  WriteDatedValues(folder, kN8File, record::kN8Line, lines);
  lines.Append(std::string(record::kEndLine));
  for (const std::string_view fixed : record::k1100Lines) {
    lines.Append(std::string(fixed) + (fixed == record::k1100Lines[0] ? boring_number : ""));
  }
  WriteDatedValues(folder, kN9File, record::k1200Line, lines);
}

}  // namespace tavrimen
