#include <cmath>

#include "output/record_blocks.h"
#include "reference/text_helpers.h"
#include "source/record_file.h"

namespace tavrimen {

void WriteX5Block(const std::string& folder, LineBuffer& lines) {
  if (auto file = RecordFile::Open(folder, kX5File)) {
    for (const Record& f : file->records()) {
      // Single-precision arithmetic, as the depth has always been computed.
      const float metres = file->Number(f[2]);
      const float hundredths = file->Number(f[5]) / 100.0f;
      const float depth = metres + hundredths;
      if (!std::isfinite(depth)) file->Overflow(f[2] + " + " + f[5] + " / 100");
      std::string line = f[2] + " " + FormatTwoDecimals(depth);
      for (int i = 6; i <= 11; ++i) line += " " + f.Or(i, "-1");
      lines.Append(std::move(line));
    }
  }
  lines.Append("-1");
}

}  // namespace tavrimen
