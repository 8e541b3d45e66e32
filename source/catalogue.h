// The fixed tables that describe a boring's source data set: the file of each source kind, the
// fields of one record and the kind of value each field holds, and the four layer files.
#pragma once

#include <array>
#include <string>

namespace tavrimen {

// What a field of a source record holds, and so which mark stands for no value.
enum FieldKind : int {
  kNoField = 0,
  kTextField = 1,          // "@"
  kNumberField = 2,        // "-1"
  kMarkedNumberField = 3,  // "999"
};

struct Catalogue {
  // Indexed by source kind (1 CNT.TXT, 2 Titl01.txt, 3 Titl02.txt, 4 X1.txt); index 0 unused.
  std::array<std::string, 201> src_file_name;
  std::array<int, 16> src_field_count{};
  std::array<std::array<int, 31>, 16> src_field_default{};

  // Indexed by layer slot 1 to 4; index 0 unused.
  std::array<std::string, 5> layer_file;
  std::array<int, 5> layer_read_count{};
  std::array<int, 5> layer_clear_count{};
};

// Writes every catalogue entry with its fixed value.
void SetUpCatalogue(Catalogue& catalogue);

}  // namespace tavrimen
