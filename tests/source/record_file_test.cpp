#include "source/record_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/cp932.h"

namespace tavrimen {
namespace {

struct ReadRecord {
  std::vector<std::string> items;
  int read;
};

// Every record of the file as texts, with how many items each held.
std::vector<ReadRecord> ReadAll(const RecordFile& file) {
  std::vector<ReadRecord> records;
  for (const Record& record : file.records()) {
    ReadRecord& r = records.emplace_back();
    r.read = record.read();
    for (int item = 1; item <= 4; ++item) r.items.emplace_back(record[item]);
  }
  return records;
}

TEST(RecordFile, ReadsRecordsOfFourItemsWhateverTheLineBreaks) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<ReadRecord> records;
  };
  const std::vector<Case> cases = {
      {"two records on three lines",
       "1,2,3\r\n4\r\n5,6,7,8\r\n",
       {{{"1", "2", "3", "4"}, 4}, {{"5", "6", "7", "8"}, 4}}},
      {"a short last record", "1,2,3,4,5,6", {{{"1", "2", "3", "4"}, 4}, {{"5", "6", "", ""}, 2}}},
      {"a comma that ends the data is one more item", "1,2,3,", {{{"1", "2", "3", ""}, 4}}},
      {"a short one ending with a comma", "1,2,", {{{"1", "2", "", ""}, 3}}},
      {"quoted items with commas and line ends",
       " \"a,b\",\"c\r\nd\",e,f",
       {{{"a,b", "c\r\nd", "e", "f"}, 4}}},
      {"line ends and end marks after the data",
       "1,2,3,4\r\n\r\n\x1a",
       {{{"1", "2", "3", "4"}, 4}}},
      {"nothing but line ends", "\r\n\n", {}},
  };
  for (const Case& c : cases) {
    const RecordFile file("C:\\X.TXT", c.bytes, 4);
    const std::vector<ReadRecord> records = ReadAll(file);
    EXPECT_EQ(file.records().empty(), c.records.empty()) << c.name;
    ASSERT_EQ(records.size(), c.records.size()) << c.name;
    for (std::size_t i = 0; i < records.size(); ++i) {
      EXPECT_EQ(records[i].items, c.records[i].items) << c.name << " record " << i;
      EXPECT_EQ(records[i].read, c.records[i].read) << c.name << " record " << i;
    }
    // Reading again reads the same.
    EXPECT_EQ(ReadAll(file).size(), records.size()) << c.name;
  }
}

TEST(RecordFile, ItemsAreViewsIntoTheFileAndMissingOnesStandAtTheEndOfTheData) {
  const RecordFile file("C:\\X.TXT", "1,ab,\"c\"\r\n9\r\n\r\n", 3);
  const std::string& bytes = file.bytes();
  std::vector<std::size_t> starts;
  for (const Record& record : file.records()) {
    for (int item = 1; item <= 3; ++item) {
      const platform::Item& at = record.at(item);
      starts.push_back(at.start);
      if (item <= record.read()) {
        EXPECT_GE(at.text.data(), bytes.data());
        EXPECT_LE(at.text.data() + at.text.size(), bytes.data() + bytes.size());
      }
    }
  }
  // "9" is at byte 11, its record's missing items after the data's last byte (11).
  EXPECT_EQ(starts, (std::vector<std::size_t>{1, 3, 6, 11, 12, 12}));
  EXPECT_EQ(file.records().front()[2], "ab");
}

// Line and column of every 1-based position, counted from the start of the file.
std::vector<std::pair<int, int>> CountedFromTheStart(const std::string& bytes) {
  std::vector<std::pair<int, int>> places;
  int line = 1;
  std::size_t line_start = 0;
  for (std::size_t offset = 0; offset <= bytes.size(); ++offset) {
    const int column = static_cast<int>(
        cp932::CharCount(std::string_view(bytes).substr(line_start, offset - line_start)));
    places.emplace_back(line, column + 1);
    if (offset == bytes.size()) break;
    const bool crlf =
        bytes[offset] == '\r' && offset + 1 < bytes.size() && bytes[offset + 1] == '\n';
    if ((bytes[offset] == '\r' && !crlf) || bytes[offset] == '\n') {
      ++line;
      line_start = offset + 1;
    }
  }
  return places;
}

TEST(RecordFile, WhereGivesLineAndColumnAnywhereInALargeFile) {
  // Lines of every kind of end, double-byte characters and long lines, over several kilobytes,
  // with a CR LF split over the file's first kilobyte.
  std::mt19937 random(7);
  const std::vector<std::string> pieces = {"a",  ",",        "\r\n",     "\r",
                                           "\n", "\x82\xa0", "\x88\x9f", std::string(700, 'x')};
  std::string text(1023, 'y');
  text += "\r\n";
  while (text.size() < 9000) text += pieces[random() % pieces.size()];
  // The whole, and a length of whole kilobytes.
  for (const std::string& bytes : {text, text.substr(0, 8192)}) {
    const std::vector<std::pair<int, int>> expected = CountedFromTheStart(bytes);
    // Positions of character starts, asked in increasing order as a check asks them, then in
    // any order.
    std::vector<std::size_t> positions;
    for (std::size_t pos = 0; pos < bytes.size(); pos += cp932::CharLength(bytes, pos)) {
      positions.push_back(pos + 1);
    }
    positions.push_back(bytes.size() + 1);
    const RecordFile file("C:\\X.TXT", bytes, 1);
    for (int pass = 0; pass < 2; ++pass) {
      for (const std::size_t position : positions) {
        ASSERT_EQ(file.Where(position), expected[position - 1])
            << bytes.size() << " bytes, position " << position << " in pass " << pass;
      }
      std::shuffle(positions.begin(), positions.end(), random);
    }
    // Position 0, and positions past the end, are those of the first byte and of the end.
    EXPECT_EQ(file.Where(0), expected.front());
    EXPECT_EQ(file.Where(bytes.size() + 5), expected.back());
  }
}

}  // namespace
}  // namespace tavrimen
