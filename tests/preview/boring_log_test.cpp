#include "preview/boring_log.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/cp932.h"

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
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1.5m", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"1e999", std::nullopt},
      {"123456789012345678", 123456789012345678.0},
  };
  for (const auto& c : cases) EXPECT_EQ(FieldNumber(c.field), c.number) << c.field;
  // A field's no-value mark has no value; other numbers keep theirs.
  EXPECT_EQ(NumberOf("9999", "9999").value, std::nullopt);
  EXPECT_EQ(NumberOf("-1", "9999").value, -1.0);
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

// A record file of `header` (lines 2 to 21) and `blocks` from line 22 on, UTF-8 in code page 932.
std::string Record(const std::vector<std::string>& blocks) {
  std::string text = "TPJ Ge201\r\n";
  for (int line = 2; line <= 21; ++line) text += (line == 4 ? "No.7" : "@") + std::string("\r\n");
  for (const std::string& line : blocks) text += line + "\r\n";
  return cp932::FromUtf8(text);
}

TEST(BoringLog, ReadsEachBlockByWhatItsLinesHold) {
  const std::string record = Record({
      "1.20 盛土 礫混じり 砂 暗灰色 緩い ",  // a text with a blank stays in the last text
      "[0.00]一行目",
      "二行目",
      "-1",
      "-1",
      "1 1.15 12 4 4 4 30 -1",
      "-1",
      "2.00 2.80 T 1 T",  // a sample number with a blank
      "-1",
      "0.00 1.85 自然水位",
      "-1",
      "1.92 10 06",
      "9999 10 07",
      "-1",
      "1100 b_no B-7",
      "1100 s_no @",
      "1100 minw -1",
      "1100 org @",
      "1100 mod @",
      "1200 3.45 10 06",
      "1300 6.00 6.50 現場透水試験 k = 2.1E-05 m/s",
      "1400 シンウォ",
      "1400 余り",
  });
  const BoringLog log = ReadBoringLog(record);
  auto utf8 = [](std::string_view bytes) { return cp932::ToUtf8(bytes); };
  EXPECT_EQ(utf8(log.header[4]), "No.7");
  ASSERT_EQ(log.layers.size(), 1u);
  const LogLayer& layer = log.layers[0];
  EXPECT_EQ(layer.bottom.value, 1.2);
  EXPECT_EQ(utf8(layer.geology), "盛土");
  EXPECT_EQ(utf8(layer.soil), "礫混じり");
  EXPECT_EQ(utf8(layer.colour), "砂");
  EXPECT_EQ(utf8(layer.density), "暗灰色 緩い");
  ASSERT_EQ(log.NotesOf(layer).size(), 2u);
  EXPECT_EQ(utf8(log.NotesOf(layer)[1]), "二行目");
  ASSERT_EQ(log.penetrations.size(), 1u);
  EXPECT_EQ(log.penetrations[0].depth.value, 1.15);
  EXPECT_EQ(log.penetrations[0].n_value.value, 12.0);
  EXPECT_EQ(log.penetrations[0].fields[6], "30");
  ASSERT_EQ(log.samples.size(), 1u);
  EXPECT_EQ(log.samples[0].number, "T 1");
  EXPECT_EQ(log.samples[0].kind, "T");
  EXPECT_EQ(utf8(log.samples[0].sampler), "シンウォ");
  ASSERT_EQ(log.conditions.size(), 1u);
  EXPECT_EQ(utf8(log.conditions[0].name), "自然水位");
  ASSERT_EQ(log.water_levels.size(), 2u);
  EXPECT_EQ(log.water_levels[1].depth.value, std::nullopt);
  EXPECT_EQ(log.water_levels[1].day, "07");
  ASSERT_EQ(log.progress.size(), 1u);
  EXPECT_EQ(log.progress[0].depth.value, 3.45);
  ASSERT_EQ(log.tests.size(), 1u);
  EXPECT_EQ(utf8(log.tests[0].name), "現場透水試験");
  EXPECT_EQ(utf8(log.tests[0].result), "k = 2.1E-05 m/s");
  // A 1400 line beyond the samples is kept, not dropped.
  ASSERT_EQ(log.other_lines.size(), 1u);
  EXPECT_EQ(utf8(log.other_lines[0]), "1400 余り");
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
  ASSERT_EQ(log.water_levels.size(), 1u);
  EXPECT_EQ(log.water_levels[0].depth.value, 1.5);
}

}  // namespace
}  // namespace tavrimen::preview
