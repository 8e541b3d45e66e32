// The fixed table that describes the header records of a boring's source data set: the fields of
// each record and the kind of value each field holds. Constant data, made at compile time.
#pragma once

#include <array>

namespace tavrimen {

// What a field of a source record holds, and so which mark stands for no value.
enum FieldKind : int {
  kNoField = 0,
  kTextField = 1,          // "@"
  kNumberField = 2,        // "-1"
  kMarkedNumberField = 3,  // "999"
};

struct Catalogue {
  // Indexed by source kind (1 CNT.TXT, 2 Titl01.txt, 3 Titl02.txt); index 0 unused.
  std::array<int, 16> src_field_count{};
  std::array<std::array<FieldKind, 31>, 16> src_field_default{};
};

namespace catalogue_detail {
constexpr Catalogue Make() {
  Catalogue catalogue;
  catalogue.src_field_count[1] = 6;
  catalogue.src_field_count[2] = 27;
  catalogue.src_field_count[3] = 14;

  auto set = [&](int kind, int first, int last, FieldKind field_kind) {
    for (int field = first; field <= last; ++field) {
      catalogue.src_field_default[kind][field] = field_kind;
    }
  };
  set(1, 1, 1, kTextField);
  set(1, 2, 2, kNumberField);
  set(1, 3, 3, kTextField);
  set(1, 4, 6, kNumberField);
  set(2, 1, 7, kTextField);
  set(2, 8, 19, kNumberField);
  set(2, 20, 26, kTextField);
  set(2, 27, 27, kNumberField);
  set(3, 1, 3, kTextField);
  set(3, 4, 4, kMarkedNumberField);
  set(3, 5, 14, kNumberField);
  return catalogue;
}
}  // namespace catalogue_detail

inline constexpr Catalogue kCatalogue = catalogue_detail::Make();

}  // namespace tavrimen
