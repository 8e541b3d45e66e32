#include "output/block_source.h"
#include "output/record_blocks.h"
#include "platform/cp932.h"
#include "platform/errors.h"
#include "reference/text_helpers.h"

namespace tavrimen {
namespace {

std::string KindLetter(float kind) {
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

std::vector<X6CodeRow> WriteX6Block(const std::string& folder, LineBuffer& lines) {
  const std::string path = folder + "X6.TXT";
  std::vector<X6CodeRow> code_rows;
  if (auto bytes = ReadBlockSource(path, WhenEmpty::kDelete)) {
    platform::ItemReader reader(*bytes);
    while (!reader.AtEnd()) {
      std::vector<std::string> f = ReadRecord(reader, 8);
      X6CodeRow row;
      for (std::string& code : row) code = X6CodeColumn(reader.NextText());
      ReadRecord(reader, 40);
      code_rows.push_back(std::move(row));
      const float kind = NamingFileOnOverflow(path, [&] { return NumberFromText(f[3]); });
      if (f[5].empty()) f[5] = "9999";
      if (f[6].empty()) f[6] = "9999";
      if (f[2].empty()) f[2] = "@";
      lines.Append(f[5] + " " + f[6] + " " + f[2] + " " + KindLetter(kind));
    }
  }
  lines.Append("-1");
  return code_rows;
}

void Write1400Lines(const std::vector<X6CodeRow>& code_rows, CodeTables& code_tables,
                    LineBuffer& lines) {
  for (const X6CodeRow& row : code_rows) {
    std::string text;
    for (std::size_t i = 0; i < 10; ++i) {
      const float code = NumberFromText(row[i]);
      if (code == 0) continue;
      if (auto name = code_tables.Get("L100.TXT", 2).Find(code)) {
        text += cp932::CharSubstring(*name, 0, 4);
      }
    }
    lines.Append(text.empty() ? "1400 @" : "1400 " + text);
  }
}

}  // namespace tavrimen
