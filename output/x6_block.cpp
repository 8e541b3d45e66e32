#include "output/record_blocks.h"
#include "platform/cp932.h"
#include "reference/text_helpers.h"
#include "source/record_file.h"
#include "source/record_lines.h"

namespace tavrimen {
namespace {

std::string_view KindLetter(float kind) {
  if (kind == 1) return "T";
  if (kind == 2) return "D";
  if (kind == 7) return "F";
  return "A";
}

}  // namespace

std::string X6CodeColumn(std::string_view field) {
  const std::string padded = "  " + std::string(Trim(field));
  const std::size_t chars = cp932::CharCount(padded);
  return std::string(cp932::CharSubstring(padded, chars - 2, 2));
}

std::vector<X6CodeRow> WriteX6Block(const DataFolder& folder, LineBuffer& lines) {
  std::vector<X6CodeRow> code_rows;
  if (auto file = RecordFile::Open(folder, kX6File)) {
    const CodeItems& codes = kX6File.codes[0];
    for (const Record& f : file->records()) {
      X6CodeRow row;
      for (std::size_t i = 0; i < row.size(); ++i) {
        row[i] = X6CodeColumn(f[codes.first + static_cast<int>(i)]);
      }
      code_rows.push_back(std::move(row));
      const float kind = file->Number(f[3]);
      lines.Append(record::Compose(record::kX6Line, {f[5], f[6], f[2], KindLetter(kind)}));
    }
  }
  lines.Append(std::string(record::kEndLine));
  return code_rows;
}

void Write1400Lines(const std::vector<X6CodeRow>& code_rows, CodeTables& code_tables,
                    LineBuffer& lines) {
  for (const X6CodeRow& row : code_rows) {
    std::string text;
    for (const std::string& column : row) {
      const float code = NumberFromText(column);
      if (code == 0) continue;
      if (auto name = code_tables.Get(*kX6File.codes[0].table).Find(code)) {
        text += cp932::CharSubstring(*name, 0, 4);
      }
    }
    lines.Append(record::Compose(record::k1400Line, {text}));
  }
}

}  // namespace tavrimen
