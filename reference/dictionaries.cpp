#include "reference/dictionaries.h"

#include <cmath>

#include "platform/errors.h"
#include "platform/file_system.h"
#include "platform/item_reader.h"
#include "reference/text_helpers.h"

namespace tavrimen {
namespace {

// Reads a whole table of the pattern-data folder; a missing table is an error.
std::string ReadTable(const platform::DataFolder& patdat, const std::string& path) {
  try {
    return patdat.files.ReadWholeFile(path);
  } catch (const IoError& e) {
    throw TableReadError(e);
  }
}

}  // namespace

void LoadKishituTable(const platform::DataFolder& patdat, Dictionaries& dictionaries) {
  const NamedFile table(patdat.PathOf(kKishituTable.name));
  const std::string bytes = ReadTable(patdat, table.path());
  dictionaries.kishitu_name.clear();
  dictionaries.kishitu_code.clear();
  platform::ItemReader reader(bytes);
  while (!reader.AtEnd()) {
    std::string code = reader.NextText();
    std::string name = reader.NextText();
    for (int skipped = 2; skipped < kKishituTable.items_per_row; ++skipped) reader.Next();
    if (dictionaries.kishitu_name.size() >= Dictionaries::kKishituRows) continue;
    dictionaries.kishitu_code.push_back(table.Number(code));
    dictionaries.kishitu_name.push_back(std::move(name));
  }
}

void LoadL4Names(const platform::DataFolder& patdat, Dictionaries& dictionaries) {
  const NamedFile table(patdat.PathOf(kL4Table.name));
  const std::string bytes = ReadTable(patdat, table.path());
  dictionaries.l4_name.fill({});
  platform::ItemReader reader(bytes);
  while (!reader.AtEnd()) {
    float code = table.Number(reader.NextText());
    std::string name = reader.NextText();
    double index = std::nearbyint(code);  // half to even
    if (index < 0 || index > Dictionaries::kL4Codes) continue;
    dictionaries.l4_name[static_cast<std::size_t>(index)] = std::move(name);
  }
}

std::string KishituNameOf(const Dictionaries& dictionaries, float code) {
  if (code == 0) return {};
  for (std::size_t r = 0; r < dictionaries.kishitu_code.size(); ++r) {
    if (dictionaries.kishitu_code[r] == code) return dictionaries.kishitu_name[r];
  }
  return {};
}

std::optional<std::string_view> L4NameOf(const Dictionaries& dictionaries, float code) {
  double index = std::nearbyint(code);
  if (!(index >= 0 && index <= Dictionaries::kL4Codes)) return std::nullopt;
  return dictionaries.l4_name[static_cast<std::size_t>(index)];
}

CodeTable::CodeTable(std::string_view bytes, int items_per_row) {
  platform::ItemReader reader(bytes);
  while (!reader.AtEnd()) {
    platform::Item code = reader.Next();
    std::string text = reader.NextText();
    for (int skipped = 2; skipped < items_per_row; ++skipped) reader.Next();
    if (code.quoted || !IsNumericText(code.text)) continue;
    try {
      // The first row of a code wins; a later one is never found.
      if (first_row_.try_emplace(NumberFromText(code.text), texts_.size()).second) {
        texts_.push_back(std::move(text));
      }
    } catch (const NumberOverflowError&) {
      // Too large for any field to equal it.
    }
  }
}

std::optional<std::string_view> CodeTable::Find(float code) const {
  const auto found = first_row_.find(code);
  if (found == first_row_.end()) return std::nullopt;
  return texts_[found->second];
}

const CodeTable& CodeTables::Get(const ReferenceTable& table) {
  auto found = tables_.find(table.name);
  if (found == tables_.end()) {
    CodeTable rows(ReadTable(patdat_, patdat_.PathOf(table.name)), table.items_per_row);
    found = tables_.emplace(std::string(table.name), std::move(rows)).first;
  }
  return found->second;
}

}  // namespace tavrimen
