#include "preview/boring_log.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace tavrimen::preview {
namespace {

TEST(BoringLog, ReadsFieldNumbersAsTheStandardReadsThem) {
  const struct {
    const char* field;
    std::optional<double> number;
  } cases[] = {
      {"12.35", 12.35},
      {"  1.5", 1.5},
      {".50", 0.5},
      {"-1.5", -1.5},
      {"0", 0.0},
      {"1e2", 100.0},
      {"1.", 1.0},
      {"-1", std::nullopt},
      {"9999", std::nullopt},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1.5m", std::nullopt},
      {"123456789012345678", 123456789012345678.0},
  };
  for (const auto& c : cases) EXPECT_EQ(FieldNumber(c.field), c.number) << c.field;
  // Every depth to the centimetre up to 200 m, and values with up to four decimals, read to the
  // same double as std::from_chars gives.
  char text[32];
  for (int hundredths = 0; hundredths <= 20000; ++hundredths) {
    for (const char* format : {"%d.%02d", "%d.%02d01"}) {
      std::snprintf(text, sizeof text, format, hundredths / 100, hundredths % 100);
      double expected = 0;
      std::from_chars(text, text + std::char_traits<char>::length(text), expected);
      ASSERT_EQ(FieldNumber(text), expected) << text;
    }
  }
}

TEST(BoringLog, OnlyCrLfEndsALine) {
  std::string record;
  for (int line = 1; line <= 21; ++line) record += line == 20 ? "3.00\r\n" : "@\r\n";
  record += "2.00 A\rB soil colour\r\nnote\nwith LF\r\n-1\r\n-1\r\n-1\r\n-1\r\n-1\r\n";
  record += "1.50 10 06\r\n-1";  // the last line without its line end
  const BoringLog log = ReadBoringLog(record);
  ASSERT_EQ(log.layers.size(), 1u);
  EXPECT_EQ(log.layers[0].geology, "A\rB");
  ASSERT_EQ(log.NotesOf(log.layers[0]).size(), 1u);
  EXPECT_EQ(log.NotesOf(log.layers[0])[0], "note\nwith LF");
  EXPECT_EQ(log.water_levels, std::vector<double>{1.5});
  EXPECT_EQ(log.depth, 3.0);
}

}  // namespace
}  // namespace tavrimen::preview
