#include "source/catalogue.h"

#include "source/record_files.h"

namespace tavrimen {

void SetUpCatalogue(Catalogue& catalogue) {
  catalogue.src_file_name[1] = kCntFile.name;
  catalogue.src_file_name[2] = kTitle1File.name;
  catalogue.src_file_name[3] = kTitle2File.name;
  catalogue.src_file_name[4] = kX1File.name;

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

  const RecordFileLayout* layers[] = {&kX1File, &kX3File, &kX12File, &kX14File};
  for (int slot = 1; slot <= 4; ++slot) {
    catalogue.layer_file[slot] = layers[slot - 1]->name;
    catalogue.layer_read_count[slot] = layers[slot - 1]->items_per_record;
  }
  catalogue.layer_clear_count = {0, 8, 4, 3, 6};
}

}  // namespace tavrimen
