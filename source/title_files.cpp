#include "source/title_files.h"

#include <algorithm>
#include <array>
#include <vector>

#include "reference/text_helpers.h"
#include "source/record_file.h"

namespace tavrimen {
namespace {

// One title file, read as one list of fields: as many of them as its description names (0-based;
// empty past the end of the file), and how many the file held.
struct TitleFile {
  RecordFile file;
  std::vector<std::string> fields;
  int count = 0;
};

TitleFile ReadTitleFile(const DataFolder& folder, const RecordFileLayout& layout) {
  TitleFile title{RecordFile::OpenOrEmpty(folder, layout),
                  std::vector<std::string>(static_cast<std::size_t>(layout.items_per_record)), 0};
  // Its records are as long as the fields it names: the first holds them, the others are only
  // counted.
  for (const Record& record : title.file.records()) {
    if (title.count == 0) {
      for (int n = 1; n <= layout.items_per_record; ++n) title.fields[n - 1] = record[n];
    }
    title.count = std::min(title.count + record.read(), 32767);
  }
  return title;
}

// Copies three values of the first title file over three of the second when the second holds
// zeros there and the first holds a value.
void RepairGroup(TitleFile& second, int first2, const TitleFile& first, int first1) {
  // Every value is read as a number, so that an overflow in any of them is found whatever the
  // others hold.
  std::array<float, 3> second_values{};
  std::array<float, 3> first_values{};
  for (int i = 0; i < 3; ++i) second_values[i] = second.file.Number(second.fields[first2 + i]);
  for (int i = 0; i < 3; ++i) first_values[i] = first.file.Number(first.fields[first1 + i]);
  const bool second_is_zero =
      second_values[0] == 0 && second_values[1] == 0 && second_values[2] == 0;
  const bool first_has_value =
      first_values[0] != 0 || (first_values[1] != 0 && first_values[2] != 0);
  if (!second_is_zero || !first_has_value) return;
  for (int i = 0; i < 3; ++i) second.fields[first2 + i] = first.fields[first1 + i];
}

}  // namespace

void ReadTitleFiles(const DataFolder& folder, TitleData& data) {
  TitleFile title1 = ReadTitleFile(folder, kTitle1File);
  TitleFile title2 = ReadTitleFile(folder, kTitle2File);
  data.title1_count = title1.count;
  data.title2_count = title2.count;

  RepairGroup(title2, 8, title1, 10);
  RepairGroup(title2, 11, title1, 13);

  const std::vector<std::string>& t1 = title1.fields;
  const std::vector<std::string>& t2 = title2.fields;
  auto& row1 = data.cell[1];
  row1[1] = t1[0];
  row1[2] = "";
  row1[3] = t1[2];
  row1[4] = t1[1];
  row1[5] = t2[0];
  row1[6] = t1[9];
  row1[7] = "";
  row1[8] = "";
  row1[9] = "";
  for (int column = 10; column <= 15; ++column) row1[column] = t1[column - 7];
  row1[16] = std::string(Trim(t2[17]));
  row1[17] = t2[18];
  row1[18] = t2[20];
  row1[19] = t2[22];
  row1[20] = t1[20];
  row1[21] = t1[21];
  row1[22] = t2[15];
  row1[23] = t2[14];
  for (int column = 24; column <= 27; ++column) row1[column] = t2[column + 3];
  row1[28] = t1[22];

  auto& row2 = data.cell[2];
  row2[1] = t1[16];
  row2[2] = "";
  row2[3] = t1[17];
  row2[4] = t1[18];
  for (int column = 5; column <= 10; ++column) row2[column] = t2[column + 3];
  row2[11] = t2[19];
  row2[12] = t2[24];
  row2[13] = t2[25];
  row2[14] = t2[26];
  row2[15] = t1[19];
}

}  // namespace tavrimen
