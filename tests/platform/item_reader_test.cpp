#include "platform/item_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrimen::platform {
namespace {

struct Read {
  std::string text;
  bool quoted;
  std::size_t position_after;
};

struct Case {
  const char* name;
  std::string bytes;
  std::vector<Read> items;  // everything the reader yields until it is at the end
};

TEST(ItemReader, ReadsItemsAndPositions) {
  const std::vector<Case> cases = {
      {"commas and CR LF", "a,b\r\nc", {{"a", false, 3}, {"b", false, 6}, {"c", false, 7}}},
      {"lone LF", "a\nb\n", {{"a", false, 3}, {"b", false, 4}}},
      {"lone CR", "a\rb", {{"a", false, 3}, {"b", false, 4}}},
      {"ending with a line end", "1,2\r\n", {{"1", false, 3}, {"2", false, 4}}},
      {"blanks before skipped, after kept", "  a  ,b", {{"a  ", false, 7}, {"b", false, 8}}},
      {"quotes hold commas and line ends",
       "\"x,y\",\"p\r\nq\"",
       {{"x,y", true, 7}, {"p\r\nq", true, 13}}},
      {"rest after closing quote skipped", "\"ab\"cd,e", {{"ab", true, 8}, {"e", false, 9}}},
      {"empty items", ",,x", {{"", false, 2}, {"", false, 3}, {"x", false, 4}}},
      {"blank line inside is one empty item",
       "a\r\n\r\nb",
       {{"a", false, 4}, {"", false, 6}, {"b", false, 7}}},
      {"trailing blank lines and 0x1A are no data", "a\r\n\r\n\x1a", {{"a", false, 2}}},
      {"unterminated quote runs to the end", "\"abc", {{"abc", true, 5}}},
      {"nothing but line ends", "\r\n\r\n", {}},
  };
  for (const Case& c : cases) {
    ItemReader reader(c.bytes);
    std::vector<Read> got;
    while (!reader.AtEnd() && got.size() < 20) {
      Item item = reader.Next();
      got.push_back({std::string(item.text), item.quoted, reader.Position()});
    }
    ASSERT_EQ(got.size(), c.items.size()) << c.name;
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].text, c.items[i].text) << c.name << " item " << i;
      EXPECT_EQ(got[i].quoted, c.items[i].quoted) << c.name << " item " << i;
      EXPECT_EQ(got[i].position_after, c.items[i].position_after) << c.name << " item " << i;
    }
  }
}

TEST(ItemReader, ItemsAreViewsIntoTheBytesRead) {
  // Nothing is copied: a quoted item is the bytes between its quotes, line ends and all.
  const std::string bytes = "abc, \"d,e\r\nf\"x,g";
  ItemReader reader(bytes);
  struct Place {
    std::size_t text_offset;
    std::size_t start;  // 1-based, of the item's first byte: a quoted item's quote
  };
  for (const Place& place : {Place{0, 1}, Place{6, 6}, Place{15, 16}}) {
    const Item item = reader.Next();
    EXPECT_EQ(item.text.data(), bytes.data() + place.text_offset) << item.text;
    EXPECT_EQ(item.start, place.start) << item.text;
  }
}

TEST(ItemReader, ReadingPastTheEndGivesEmptyItems) {
  ItemReader reader("a,b");
  EXPECT_EQ(reader.NextText(), "a");
  EXPECT_EQ(reader.NextText(), "b");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.NextText(), "");
  EXPECT_EQ(reader.NextText(), "");
}

TEST(ItemReader, StartsAtARememberedPosition) {
  const std::string bytes = "1,a\r\n2,b\r\n";
  ItemReader first(bytes);
  first.Next();
  first.Next();
  ItemReader second(bytes, first.Position());
  EXPECT_EQ(second.NextText(), "2");
  EXPECT_EQ(second.NextText(), "b");
  EXPECT_TRUE(second.AtEnd());
}

TEST(ItemReader, DataLengthLeavesOutTrailingLineEndsAndEndMarks) {
  EXPECT_EQ(ItemReader::DataLength("abc"), 3u);
  EXPECT_EQ(ItemReader::DataLength("abc\r\n"), 3u);
  EXPECT_EQ(ItemReader::DataLength("abc\n\n\x1a"), 3u);
  EXPECT_EQ(ItemReader::DataLength("abc\r\n "), 6u);
  EXPECT_EQ(ItemReader::DataLength("\x1a"), 0u);
}

TEST(ItemReader, ReadsAWholeLineThenItems) {
  ItemReader reader("[Patdat]\r\n  \"C:\\P,Q\\\" , x\r\n");
  EXPECT_EQ(reader.NextLine(), "[Patdat]");
  EXPECT_EQ(reader.NextText(), "C:\\P,Q\\");
}

}  // namespace
}  // namespace tavrimen::platform
