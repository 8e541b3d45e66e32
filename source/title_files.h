// The two title files of a data set, read and rearranged into the table that the heading-record
// readers take their fields from.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "source/record_file.h"

namespace tavrimen {

struct TitleData {
  // cell[row][column], rows 1 and 2, columns 1 to 41; code page 932 texts.
  std::array<std::array<std::string, 42>, 3> cell;
  int title1_count = 0;  // fields read from Titl01.txt; 0 when absent or empty
  int title2_count = 0;  // fields read from Titl02.txt
};

// Reads "Titl01.txt" and "Titl02.txt" of `folder`, repairs
// two groups of the second file's values from the first, and fills row 1 columns 1 to 28 and row 2
// columns 1 to 15. An empty or missing title file counts 0 fields and is deleted (so none is left
// behind by the probe). Fields beyond what the tables hold are ignored. Throws IoError.
void ReadTitleFiles(const DataFolder& folder, TitleData& data);

}  // namespace tavrimen
