#include <cmath>

#include "output/block_source.h"
#include "output/record_blocks.h"
#include "platform/errors.h"
#include "reference/text_helpers.h"

namespace tavrimen {

void WriteX5Block(const std::string& folder, LineBuffer& lines) {
  const std::string path = folder + "X5.TXT";
  if (auto bytes = ReadBlockSource(path, WhenEmpty::kDelete)) {
    platform::ItemReader reader(*bytes);
    while (!reader.AtEnd()) {
      std::vector<std::string> f = ReadRecord(reader, 11);
      // Single-precision arithmetic, as the depth has always been computed.
      const float depth = NamingFileOnOverflow(path, [&] {
        const float metres = NumberFromText(f[2]);
        const float hundredths = NumberFromText(f[5]) / 100.0f;
        const float sum = metres + hundredths;
        if (!std::isfinite(sum)) throw NumberOverflowError(f[2] + " + " + f[5] + " / 100");
        return sum;
      });
      std::string line = f[2] + " " + FormatTwoDecimals(depth);
      for (int i = 6; i <= 11; ++i) line += " " + (f[i].empty() ? std::string("-1") : f[i]);
      lines.Append(std::move(line));
    }
  }
  lines.Append("-1");
}

}  // namespace tavrimen
