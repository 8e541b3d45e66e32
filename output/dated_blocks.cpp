#include "output/block_source.h"
#include "output/record_blocks.h"
#include "platform/cp932.h"

namespace tavrimen {
namespace {

// The lines of N8.TXT or N9.TXT: value, month and day, after `prefix`. The file is kept when
// empty.
void WriteDatedValues(const std::string& path, const std::string& prefix, LineBuffer& lines) {
  auto bytes = ReadBlockSource(path, WhenEmpty::kKeep);
  if (!bytes) return;
  platform::ItemReader reader(*bytes);
  while (!reader.AtEnd()) {
    std::vector<std::string> f = ReadRecord(reader, 3);
    // The date reads year/month/day: month at characters 6 and 7, day at 9 and 10.
    std::string month(cp932::CharSubstring(f[2], 5, 2));
    std::string day(cp932::CharSubstring(f[2], 8, 2));
    if (f[3].empty()) f[3] = "9999";
    if (month.empty()) month = "-1";
    if (day.empty()) day = "-1";
    lines.Append(prefix + f[3] + " " + month + " " + day);
  }
}

}  // namespace

void WriteDatedBlocks(const std::string& folder, const std::string& cnt_text3, LineBuffer& lines) {
  WriteDatedValues(folder + "N8.TXT", "", lines);
  lines.Append("-1");
  lines.Append("1100 b_no " + cnt_text3);
  lines.Append("1100 s_no @");
  lines.Append("1100 minw -1");
  lines.Append("1100 org @");
  lines.Append("1100 mod @");
  WriteDatedValues(folder + "N9.TXT", "1200 ", lines);
}

}  // namespace tavrimen
