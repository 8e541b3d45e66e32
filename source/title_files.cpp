#include "source/title_files.h"

#include <array>
#include <vector>

#include "platform/item_reader.h"
#include "reference/text_helpers.h"
#include "source/record_file.h"

namespace tavrimen {
namespace {

// Reads the fields of one title file into `fields` (0-based), as many as its description names,
// and returns how many the file held.
int ReadTitleFile(const DataFolder& folder, const RecordFileLayout& layout,
                  std::vector<std::string>& fields) {
  fields.assign(static_cast<std::size_t>(layout.items_per_record), std::string());
  auto bytes = RecordFile::ReadBytes(folder, layout);
  if (!bytes) return 0;
  platform::ItemReader reader(*bytes);
  int count = 0;
  while (!reader.AtEnd()) {
    std::string field = reader.NextText();
    if (static_cast<std::size_t>(count) < fields.size()) fields[count] = std::move(field);
    if (count < 32767) ++count;
  }
  return count;
}

// Copies three values of the first title file over three of the second when the second holds
// zeros there and the first holds a value.
void RepairGroup(const std::string& path2, std::vector<std::string>& t2, int first2,
                 const std::string& path1, const std::vector<std::string>& t1, int first1) {
  // Every value is read as a number, so that an overflow in any of them is found whatever the
  // others hold.
  std::array<float, 3> second{};
  std::array<float, 3> first{};
  for (int i = 0; i < 3; ++i) second[i] = NumberInFile(t2[first2 + i], path2);
  for (int i = 0; i < 3; ++i) first[i] = NumberInFile(t1[first1 + i], path1);
  const bool second_is_zero = second[0] == 0 && second[1] == 0 && second[2] == 0;
  const bool first_has_value = first[0] != 0 || (first[1] != 0 && first[2] != 0);
  if (!second_is_zero || !first_has_value) return;
  for (int i = 0; i < 3; ++i) t2[first2 + i] = t1[first1 + i];
}

}  // namespace

void ReadTitleFiles(const DataFolder& folder, TitleData& data) {
  const std::string path1 = folder.PathOf(kTitle1File.name);
  const std::string path2 = folder.PathOf(kTitle2File.name);
  std::vector<std::string> t1;
  std::vector<std::string> t2;
  data.title1_count = ReadTitleFile(folder, kTitle1File, t1);
  data.title2_count = ReadTitleFile(folder, kTitle2File, t2);

  RepairGroup(path2, t2, 8, path1, t1, 10);
  RepairGroup(path2, t2, 11, path1, t1, 13);

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
