#include "output/record_blocks.h"
#include "platform/cp932.h"
#include "source/record_file.h"

namespace tavrimen {
namespace {

// The lines of N8.TXT or N9.TXT: value, month and day, after `prefix`.
void WriteDatedValues(const DataFolder& folder, const RecordFileLayout& layout,
                      const std::string& prefix, LineBuffer& lines) {
  auto file = RecordFile::Open(folder, layout);
  if (!file) return;
  for (const Record& f : file->records()) {
    // The date reads year/month/day: month at characters 6 and 7, day at 9 and 10.
    std::string month(cp932::CharSubstring(f[2], 5, 2));
    std::string day(cp932::CharSubstring(f[2], 8, 2));
    if (month.empty()) month = "-1";
    if (day.empty()) day = "-1";
    lines.Append(prefix + f.Or(3, "9999") + " " + month + " " + day);
  }
}

}  // namespace

void WriteDatedBlocks(const DataFolder& folder, const std::string& boring_number,
                      LineBuffer& lines) {
  WriteDatedValues(folder, kN8File, "", lines);
  lines.Append("-1");
  lines.Append("1100 b_no " + boring_number);
  lines.Append("1100 s_no @");
  lines.Append("1100 minw -1");
  lines.Append("1100 org @");
  lines.Append("1100 mod @");
  WriteDatedValues(folder, kN9File, "1200 ", lines);
}

}  // namespace tavrimen
