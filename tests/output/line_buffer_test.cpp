#include "output/line_buffer.h"

#include <gtest/gtest.h>

#include <vector>

#include "output/errors.h"

namespace tavrimen {
namespace {

TEST(FormatTwoDecimals, CutsToTwoDecimalsWithoutLeadingZero) {
  struct Case {
    double value;
    bool single;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {3.15, true, "3.15"},
      {3.1, true, "3.10"},
      {0.5, true, ".50"},
      {3, true, "3.00"},
      {0, true, "0.00"},
      {2.30999995231628, false, "2.30"},
      {2.3f + 0.01, false, "2.30"},
      {1.2f + 0.01, false, "1.21"},
      {2.0f + 10.0f / 100.0f, true, "2.10"},
      {1.0f + 1.5f / 100.0f, true, "1.01"},
      {123.456, true, "123.45"},
      {-1.5, true, "1.50"},
      {12345678, true, "12345680.00"},
      {0.001, true, ".00"},
  };
  for (const Case& c : cases) {
    const std::string got =
        c.single ? FormatTwoDecimals(static_cast<float>(c.value)) : FormatTwoDecimals(c.value);
    EXPECT_EQ(got, c.expected) << c.value;
  }
}

TEST(LineBuffer, WritesLinesUpToTheNextFreeLineWithCrLf) {
  LineBuffer lines;
  lines.Clear();
  lines.Line(1) = "TPJ Ge201";
  lines.Line(21) = "soil";
  lines.Append("first");
  lines.Line(30) = "beyond the next free line";
  std::string expected = "TPJ Ge201\r\n";
  for (int i = 2; i <= 20; ++i) expected += "\r\n";
  expected += "soil\r\nfirst\r\n";
  EXPECT_EQ(lines.FileContent(), expected);
}

TEST(LineBuffer, LineEndsInsideALineBecomeBlanks) {
  LineBuffer lines;
  lines.Clear();
  lines.Append("a\r\nb\rc\nd");
  const std::string content = lines.FileContent();
  EXPECT_EQ(content.substr(content.size() - 9), "a b c d\r\n");
}

TEST(LineBuffer, RefusesTheLineAfterTheThousandth) {
  LineBuffer lines;
  lines.Clear();
  for (int i = LineBuffer::kFirstBlockLine; i <= LineBuffer::kCapacity; ++i) lines.Append("x");
  EXPECT_EQ(lines.NextLine(), 1001);
  EXPECT_THROW(lines.Append("one too many"), LineLimitError);
  lines.Clear();
  EXPECT_EQ(lines.NextLine(), 22);
  EXPECT_EQ(lines.Line(1000), "");
}

}  // namespace
}  // namespace tavrimen
