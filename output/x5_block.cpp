#include <cmath>

#include "output/record_blocks.h"
#include "reference/text_helpers.h"
#include "source/record_file.h"
#include "source/record_lines.h"

namespace tavrimen {

void WriteX5Block(const DataFolder& folder, LineBuffer& lines) {
  if (auto file = RecordFile::Open(folder, kX5File)) {
    const int metres_item = kX5File.depth_item;
    for (const Record& f : file->records()) {
      // The depth is whole metres and hundredths (item 5), added in single precision, as it has
      // always been computed.
      const float metres = file->Number(f[metres_item]);
      const float hundredths = file->Number(f[5]) / 100.0f;
      const float depth = metres + hundredths;
      if (!std::isfinite(depth)) {
        file->Overflow(std::string(f[metres_item]) + " + " + std::string(f[5]) + " / 100");
      }
      const std::string depth_text = FormatTwoDecimals(depth);
      lines.Append(record::Compose(
          record::kX5Line, {f[metres_item], depth_text, f[6], f[7], f[8], f[9], f[10], f[11]}));
    }
  }
  lines.Append(std::string(record::kEndLine));
}

}  // namespace tavrimen
