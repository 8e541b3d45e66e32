#include "preview/markup.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tavrimen::preview {
namespace {

TEST(Markup, WritesNumbersWithAtMostTwoDecimals) {
  const struct {
    double number;
    const char* text;
  } cases[] = {
      {0, "0"},       {120, "120"},    {203.444, "203.44"}, {203.456, "203.46"},
      {0.5, "0.5"},   {0.05, "0.05"},  {-1.255, "-1.25"},   {-0.004, "0"},
      {-7.5, "-7.5"}, {99.996, "100"}, {1e15, "1e+15"},     {123456789.123, "123456789.12"},
  };
  for (const auto& c : cases) {
    Markup markup;
    markup << c.number;
    EXPECT_EQ(markup.Take(), c.text) << c.number;
  }
  Markup nan;
  nan << std::numeric_limits<double>::quiet_NaN() << ' ' << -42;
  EXPECT_EQ(nan.Take(), "nan -42");
}

TEST(Markup, EscapesMarkupAndControlCharactersAndStartsAgain) {
  Markup markup;
  markup << Escaped{std::string(5000, 'x')};
  markup.Clear();
  markup << "<t>" << Escaped{"a&b<c>\"d\te\x01"} << "</t>";
  EXPECT_EQ(markup.view(), "<t>a&amp;b&lt;c&gt;&quot;d e </t>");
}

}  // namespace
}  // namespace tavrimen::preview
