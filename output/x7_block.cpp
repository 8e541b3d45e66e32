#include "output/block_source.h"
#include "output/record_blocks.h"
#include "platform/errors.h"
#include "reference/text_helpers.h"

namespace tavrimen {

void WriteX7Block(const std::string& folder, CodeTables& code_tables, LineBuffer& lines) {
  const std::string path = folder + "X7.TXT";
  auto bytes = ReadBlockSource(path, WhenEmpty::kDelete);
  if (!bytes) return;
  constexpr int kSlots = 20;
  platform::ItemReader reader(*bytes);
  while (!reader.AtEnd()) {
    std::vector<std::string> f = ReadRecord(reader, 68);
    std::array<float, kSlots + 1> code{};
    NamingFileOnOverflow(path, [&] {
      for (int i = 1; i <= kSlots; ++i) code[i] = NumberFromText(f[8 + i]);
    });
    auto text = [&](int slot) -> const std::string& { return f[48 + slot]; };
    const std::string first_value = f[5].empty() ? "9999" : f[5];
    const std::string second_value = f[6].empty() ? "9999" : f[6];
    for (int i = 1; i <= kSlots; ++i) {
      if (code[i] == 0) continue;
      // Paired with the next slot of the same code; slots are not marked as used.
      std::string second_text;
      for (int j = i + 1; j <= kSlots; ++j) {
        if (code[j] != 0 && code[j] == code[i]) {
          second_text = text(j);
          break;
        }
      }
      std::string name;
      if (auto found = code_tables.Get("L8.TXT", 3).Find(code[i])) name = *found;
      if (name.empty()) name = "@";
      const std::string& first_text = text(i);
      std::string pair;
      if (first_text.empty() && second_text.empty()) {
        pair = "@";
      } else if (second_text.empty()) {
        pair = first_text;
      } else if (first_text.empty()) {
        pair = second_text;
      } else {
        pair = first_text + "," + second_text;
      }
      lines.Append("1300 " + first_value + " " + second_value + " " + name + " " + pair);
    }
  }
}

}  // namespace tavrimen
