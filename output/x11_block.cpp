#include "output/record_blocks.h"
#include "reference/text_helpers.h"
#include "source/record_file.h"
#include "source/record_lines.h"

namespace tavrimen {

void WriteX11Block(const DataFolder& folder, CodeTables& code_tables, LineBuffer& lines) {
  if (auto file = RecordFile::Open(folder, kX11File)) {
    const CodeItems& code_item = kX11File.codes[0];
    std::string previous_bottom = "0.00";
    for (const Record& f : file->records()) {
      const float previous = file->Number(previous_bottom);
      // The top is the previous bottom plus one centimetre, added in double precision to the
      // single-precision bottom.
      std::string top =
          previous != 0 ? FormatTwoDecimals(static_cast<double>(previous) + 0.01) : previous_bottom;
      previous_bottom = f[kX11File.depth_item];
      const float code = file->Number(f[code_item.first]);
      std::string name;
      if (auto found = code_tables.Get(*code_item.table).Find(code)) name = *found;
      lines.Append(record::Compose(record::kX11Line, {top, f[kX11File.depth_item], name}));
    }
  }
  lines.Append(std::string(record::kEndLine));
}

}  // namespace tavrimen
