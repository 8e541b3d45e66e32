// The readers that turn CNT.TXT and the two title records into the header area of the record file
// (lines 2 to 20), and hand three CNT.TXT values to the output generation.
#pragma once

#include <array>
#include <string>

#include "reference/dictionaries.h"
#include "source/catalogue.h"
#include "source/title_files.h"

namespace tavrimen {

// Lines 1 to 20 of the record file (index 0 unused); code page 932 texts.
using HeaderLines = std::array<std::string, 21>;

// The values of CNT.TXT that later blocks use.
struct CntValues {
  std::string text6;  // the soil-pattern line
  float number5 = 0;  // handed to the dictionary loader, which ignores it
  std::string text3;  // the first 1100 line
};

class HeaderReaders {
 public:
  HeaderReaders(const Catalogue& catalogue, const TitleData& title_data, std::string source_folder,
                CodeTables& code_tables, HeaderLines& lines)
      : catalogue_(catalogue),
        title_data_(title_data),
        source_folder_(std::move(source_folder)),
        code_tables_(code_tables),
        lines_(lines) {}

  // Reads CNT.TXT (kind 1). Touches no line. Throws IoError or DataError.
  CntValues ReadCntRecord();
  // Distributes the Titl01 record (kind 2) over its lines, then sets line 5 to "@".
  void ReadTitle1Record();
  // Distributes the Titl02 record (kind 3) over its lines.
  void ReadTitle2Record();

  // Loads src_field(1..count) of the current kind from its source, with default marks for what
  // the source does not hold.
  void FillSourceFields();
  // Empties src_field(1..30) and writes the default marks of the current kind.
  void SetSourceDefaults();

  int kind = 0;
  std::array<std::string, 201> src_field;
  std::array<int, 31> field_line{};

 private:
  void WriteDefaultMarks();
  void SetFieldLines(std::initializer_list<int> lines);

  const Catalogue& catalogue_;
  const TitleData& title_data_;
  std::string source_folder_;
  CodeTables& code_tables_;
  HeaderLines& lines_;
};

}  // namespace tavrimen
