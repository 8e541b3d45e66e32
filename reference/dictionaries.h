// The reference tables of the pattern-data folder that turn numeric codes into names.
//
// KISHITU.TXT (six items a row: code, name, four more) and L4.TXT (code 0 to 100, name) are loaded
// once per run into Dictionaries. L2, L8, L10 and L100 are code tables, read once per run on first
// use and scanned from the start for every lookup. All texts are code page 932 bytes.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/file_system.h"
#include "reference/tables.h"

namespace tavrimen {

struct Dictionaries {
  static constexpr std::size_t kKishituRows = 1000;
  static constexpr int kL4Codes = 100;

  // Rows 1 onward of KISHITU.TXT in file order (element 0 is row 1).
  std::vector<std::string> kishitu_name;
  std::vector<float> kishitu_code;
  // L4Name(0..100).
  std::array<std::string, kL4Codes + 1> l4_name;
};

// Empties the KISHITU rows and fills them from "KISHITU.TXT" of the pattern-data folder. Rows
// beyond 1000 are ignored. Throws TableReadError or NumberOverflowError.
void LoadKishituTable(const platform::DataFolder& patdat, Dictionaries& dictionaries);

// Empties L4Name and fills it from "L4.TXT" of the pattern-data folder: a later row with the same
// code replaces the earlier name; codes outside 0 to 100 are ignored. Throws TableReadError or
// NumberOverflowError.
void LoadL4Names(const platform::DataFolder& patdat, Dictionaries& dictionaries);

// The name of a KISHITU code (the first matching row wins), or empty text. Code 0 has no name.
std::string KishituNameOf(const Dictionaries& dictionaries, float code);

// L4Name of a code that NumberFromText gave (rounded half to even); nothing for codes outside
// 0 to 100, which the table does not hold.
std::optional<std::string_view> L4NameOf(const Dictionaries& dictionaries, float code);

// A table of rows whose first item is a code and whose second is a text.
class CodeTable {
 public:
  // Reads rows of `items_per_row` items from a file's bytes.
  CodeTable(std::string_view bytes, int items_per_row);

  // The text of the first row whose code equals `code` numerically. A code written in quotes is
  // text and never matches, nor does a code that is not a number.
  std::optional<std::string_view> Find(float code) const;

 private:
  std::vector<std::string> texts_;
  // The row of each code's first appearance, so that a lookup costs the same in any table.
  std::unordered_map<float, std::size_t> first_row_;
};

// The code tables of one pattern-data folder, each read on its first lookup.
class CodeTables {
 public:
  explicit CodeTables(const platform::DataFolder& patdat) : patdat_(patdat) {}

  // The table of the folder. Throws TableReadError when it cannot be read.
  const CodeTable& Get(const ReferenceTable& table);

 private:
  const platform::DataFolder patdat_;
  std::map<std::string, CodeTable, std::less<>> tables_;
};

}  // namespace tavrimen
