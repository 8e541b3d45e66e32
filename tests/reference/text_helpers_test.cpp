#include "reference/text_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "platform/errors.h"
#include "support/temp_folder.h"

namespace tavrimen {
namespace {

using testing::Sj;

TEST(NumberFromText, RecognisesPlainDecimalNumbersOnly) {
  struct Case {
    std::string text;
    float expected;
  };
  const std::vector<Case> cases = {
      {"", 0},         {"   ", 0},      {"abc", 0},        {"-", 0},          {".", 0},
      {"1.2.3", 0},    {"5", 5},        {" 12.5 ", 12.5f}, {"-0.75", -0.75f}, {"1E3", 1000},
      {"1e-2", 0.01f}, {"+4", 4},       {"1.", 1},         {".5", 0.5f},      {"1e", 0},
      {"1 2", 0},      {"0x10", 0},     {"1,000", 0},      {"12a", 0},        {"\t7\t", 7},
      {"1e-50", 0},    {Sj("１２"), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberFromText(c.text), c.expected) << c.text;
}

TEST(NumberFromText, GivesSinglePrecision) {
  EXPECT_EQ(NumberFromText("0.1"), 0.1f);
  EXPECT_NE(static_cast<double>(NumberFromText("0.1")), 0.1);
  EXPECT_EQ(NumberFromText("123456789"), 123456792.0f);
  EXPECT_EQ(NumberFromText("3.4028234e38"), 3.4028234e38f);
}

TEST(NumberFromText, MagnitudeBeyondSinglePrecisionIsAnOverflowError) {
  EXPECT_THROW(NumberFromText("3.5e38"), NumberOverflowError);
  EXPECT_THROW(NumberFromText("-1e39"), NumberOverflowError);
  EXPECT_THROW(NumberFromText("1e999999"), NumberOverflowError);
  EXPECT_THROW(NumberFromText(std::string(400, '9')), NumberOverflowError);
  EXPECT_EQ(NumberFromText("1e-999999"), 0.0f);
  // The value decides, not the length of its spelling.
  EXPECT_THROW(NumberFromText("1" + std::string(400, '0') + "e-1"), NumberOverflowError);
  EXPECT_EQ(NumberFromText("0." + std::string(400, '0') + "1"), 0.0f);
  EXPECT_EQ(NumberFromText("0." + std::string(400, '0') + "1e400"), 0.1f);
  EXPECT_EQ(NumberFromText(std::string(400, '0') + "12.5"), 12.5f);
}

TEST(ByteLength, CountsCodePage932Bytes) {
  EXPECT_EQ(ByteLength(""), 0);
  EXPECT_EQ(ByteLength("ABC"), 3);
  EXPECT_EQ(ByteLength(Sj("地質")), 4);
  EXPECT_EQ(ByteLength(Sj("ｱｲ")), 2);
  EXPECT_EQ(ByteLength(Sj("C:\\データ")), 9);
  EXPECT_THROW(ByteLength(std::string(32768, 'a')), NumberOverflowError);
}

TEST(ByteSubstring, CutsByBytesOfCodePage932) {
  struct Case {
    std::string text;
    double start;
    std::optional<long> count;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"C:\\DATA", 2, 1, ":"}, {"A", 2, 1, ""},
      {"ABCD", 3, 10, "CD"},   {"ABCD", 2, std::nullopt, "BCD"},
      {"ABCD", 2.5, 1, "B"},                         // half to even: 2
      {"ABCD", 3.5, 1, "D"},                         // half to even: 4
      {"ABCD", 2, 0, ""},      {"地質", 2, 1, "n"},  // the trail byte 0x6E alone is the letter n
      {"あ", 2, 1, "?"},     // the trail byte 0xA0 is no character of its own
      {"表示", 2, 1, "\\"},  // the trail byte 0x5C comes back as the backslash
      {"ソ:", 1, 1, "?"},    // a lead byte cut off from its trail byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ByteSubstring(c.text, c.start, c.count), c.expected) << c.text << " " << c.start;
  }
  EXPECT_THROW(ByteSubstring("A", 0, 1), std::invalid_argument);
  EXPECT_THROW(ByteSubstring("A", 1, -1), std::invalid_argument);
  EXPECT_THROW(ByteSubstring("A", std::nan(""), 1), std::invalid_argument);
  EXPECT_THROW(ByteSubstring("A", 1e300, 1), std::invalid_argument);
}

TEST(ByteSubstring, NeverGivesAColonForHalfOfAKanji) {
  // Every double-byte character's bytes lie at 0x40 or above.
  for (const char* path : {"地:\\", "表:\\", "ソ:\\", "漢字"}) {
    EXPECT_NE(ByteSubstring(path, 2, 1), ":") << path;
  }
}

}  // namespace
}  // namespace tavrimen
