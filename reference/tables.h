// The reference tables of the pattern-data folder: each file and the items of one of its rows.
#pragma once

#include <string_view>

namespace tavrimen {

struct ReferenceTable {
  std::string_view name;
  int items_per_row;
};

inline constexpr ReferenceTable kKishituTable{"KISHITU.TXT", 6};
inline constexpr ReferenceTable kL4Table{"L4.TXT", 2};
inline constexpr ReferenceTable kL2Table{"L2.TXT", 2};
inline constexpr ReferenceTable kL8Table{"L8.TXT", 3};
inline constexpr ReferenceTable kL10Table{"L10.TXT", 2};
inline constexpr ReferenceTable kL100Table{"L100.TXT", 2};

}  // namespace tavrimen
