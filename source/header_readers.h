// The readers that turn CNT.TXT and the two title records into the header area of the record file
// (lines 2 to 20), and hand three CNT.TXT values to the output generation.
#pragma once

#include <array>
#include <string>

#include "reference/dictionaries.h"
#include "reference/text_helpers.h"
#include "source/catalogue.h"
#include "source/title_files.h"

namespace tavrimen {

// Lines 1 to 20 of the record file (index 0 unused); code page 932 texts.
using HeaderLines = std::array<std::string, 21>;

// The values of CNT.TXT that later parts of the record file use.
struct CntValues {
  std::string soil_pattern;   // field 6: the soil-pattern line
  float loader_argument = 0;  // field 5: handed to the dictionary loader, which ignores it
  std::string boring_number;  // field 3: the first 1100 line
};

// Which source a header record comes from and the header line of each of its fields.
struct HeaderRecord {
  int kind;                        // the catalogue's source kind: 1 CNT.TXT, 2 and 3 the titles
  std::array<int, 28> field_line;  // 1-based fields; 0: the field goes to no line
};

class HeaderReaders {
 public:
  HeaderReaders(const TitleData& title_data, const DataFolder& source_folder,
                CodeTables& code_tables, HeaderLines& lines)
      : title_data_(title_data),
        title2_file_(source_folder.PathOf(kTitle2File.name)),
        source_folder_(source_folder),
        code_tables_(code_tables),
        lines_(lines) {}

  // Reads CNT.TXT. Touches no line. Throws IoError or NumberOverflowError.
  CntValues ReadCntRecord();
  // Distributes the Titl01 record over its lines, then sets line 5 to "@".
  void ReadTitle1Record();
  // Distributes the Titl02 record over its lines.
  void ReadTitle2Record();

 private:
  // Fields 1 to the kind's count of `record` from `source` (1-based), with the default marks of
  // the kind for what the source does not hold (all of them when there is no source).
  void FillSourceFields(const HeaderRecord& record, const std::string* source);
  // FillSourceFields from the title table's row of the record's kind; none when its file held no
  // field.
  void FillTitleFields(const HeaderRecord& record);
  void WriteDefaultMarks(int kind);

  const TitleData& title_data_;
  // The title file whose numbers the title records read: all of them come from its fields.
  const NamedFile title2_file_;
  const DataFolder source_folder_;
  CodeTables& code_tables_;
  HeaderLines& lines_;
  std::array<std::string, 31> src_field_;
};

}  // namespace tavrimen
