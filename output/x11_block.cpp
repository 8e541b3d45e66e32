#include "output/block_source.h"
#include "output/record_blocks.h"
#include "platform/errors.h"
#include "reference/text_helpers.h"

namespace tavrimen {

void WriteX11Block(const std::string& folder, CodeTables& code_tables, LineBuffer& lines) {
  const std::string path = folder + "X11.TXT";
  if (auto bytes = ReadBlockSource(path, WhenEmpty::kDelete)) {
    std::string previous_bottom = "0.00";
    platform::ItemReader reader(*bytes);
    while (!reader.AtEnd()) {
      std::vector<std::string> f = ReadRecord(reader, 5);
      const float previous =
          NamingFileOnOverflow(path, [&] { return NumberFromText(previous_bottom); });
      // The top is the previous bottom plus one centimetre, added in double precision to the
      // single-precision bottom.
      std::string top =
          previous != 0 ? FormatTwoDecimals(static_cast<double>(previous) + 0.01) : previous_bottom;
      previous_bottom = f[2];
      const float code = NamingFileOnOverflow(path, [&] { return NumberFromText(f[3]); });
      std::string name;
      if (auto found = code_tables.Get("L10.TXT", 2).Find(code)) name = *found;
      if (f[2].empty()) f[2] = "9999";
      if (name.empty()) name = "@";
      lines.Append(top + " " + f[2] + " " + name);
    }
  }
  lines.Append("-1");
}

}  // namespace tavrimen
