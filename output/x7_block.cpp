#include "output/record_blocks.h"
#include "reference/text_helpers.h"
#include "source/record_file.h"
#include "source/record_lines.h"

namespace tavrimen {
namespace {

// The texts of the two slots of a pair: both, one of them, or none.
std::string PairText(std::string_view first, std::string_view second) {
  if (second.empty()) return std::string(first);
  if (first.empty()) return std::string(second);
  return std::string(first) + "," + std::string(second);
}

}  // namespace

void WriteX7Block(const DataFolder& folder, CodeTables& code_tables, LineBuffer& lines) {
  auto file = RecordFile::Open(folder, kX7File);
  if (!file) return;
  const CodeItems& slots = kX7File.codes[0];
  const int slot_count = slots.last - slots.first + 1;
  const int first_text = slots.first + slots.text_offset;
  for (const Record& f : file->records()) {
    std::vector<float> code(static_cast<std::size_t>(slot_count));
    for (int i = 0; i < slot_count; ++i) code[i] = file->Number(f[slots.first + i]);
    for (int i = 0; i < slot_count; ++i) {
      if (code[i] == 0) continue;
      // Paired with the next slot of the same code; slots are not marked as used.
      std::string_view second_text;
      for (int j = i + 1; j < slot_count; ++j) {
        if (code[j] == code[i]) {
          second_text = f[first_text + j];
          break;
        }
      }
      std::string name;
      if (auto found = code_tables.Get(*slots.table).Find(code[i])) name = *found;
      const std::string pair = PairText(f[first_text + i], second_text);
      lines.Append(record::Compose(record::k1300Line, {f[5], f[6], name, pair}));
    }
  }
}

}  // namespace tavrimen
