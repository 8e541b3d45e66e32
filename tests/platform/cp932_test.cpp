#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <vector>

#ifndef _WIN32
#include <iconv.h>
#endif

namespace tavrimen::cp932 {
namespace {

TEST(Cp932, EncodesAndDecodesJapaneseText) {
  struct Case {
    std::string utf8;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"ABC", "ABC"},     {"\\~", "\\~"},     {"表", "\x95\x5c"},
      {"ソ", "\x83\x5c"}, {"～", "\x81\x60"}, {"￥", "\x81\x8f"},
      {"　", "\x81\x40"}, {"ｱ", "\xb1"},      {"西暦 ", "\x90\xbc\x97\xef "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FromUtf8(c.utf8), c.bytes) << c.utf8;
    EXPECT_EQ(ToUtf8(c.bytes), c.utf8) << c.utf8;
  }
}

TEST(Cp932, CharacterWithoutCodePage932FormBecomesOneQuestionMark) {
  EXPECT_EQ(FromUtf8("a😀b"), "a?b");
  EXPECT_EQ(FromUtf8("a\xff"
                     "b"),
            "a?b");  // not UTF-8 at all
}

TEST(Cp932, BrokenSequencesDecodeWithoutFailing) {
  // A lone trail byte 0x5C comes back as the backslash, never as part of a kanji.
  EXPECT_EQ(ToUtf8("\x5c"), "\\");
  // A lead byte at the very end stands alone.
  EXPECT_EQ(ToUtf8("A\x95"), "A?");
  // A lead byte followed by a byte that cannot trail: the second byte is read again.
  EXPECT_EQ(ToUtf8("\x95:"), "?:");
  EXPECT_EQ(ToUtf8("\xff"
                   "A"),
            "?A");
}

#ifndef _WIN32
// The decoding as iconv does it, a character at a time, with "?" for each byte that starts none.
std::string DecodedByIconv(std::string_view bytes) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  std::string out;
  while (!bytes.empty()) {
    char* in = const_cast<char*>(bytes.data());
    std::size_t in_left = bytes.size();
    char buffer[64];
    char* at = buffer;
    std::size_t out_left = sizeof buffer;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    iconv(cd, &in, &in_left, &at, &out_left);
    out.append(buffer, static_cast<std::size_t>(at - buffer));
    if (in_left == bytes.size()) {
      out += '?';
      --in_left;
    }
    bytes.remove_prefix(bytes.size() - in_left);
  }
  iconv_close(cd);
  return out;
}

TEST(Cp932, DecodesEveryByteAndEveryPairAsIconvDoes) {
  for (int first = 0; first < 256; ++first) {
    const std::string single(1, static_cast<char>(first));
    ASSERT_EQ(ToUtf8(single), DecodedByIconv(single)) << first;
    for (int second = 0; second < 256; ++second) {
      const std::string pair = single + static_cast<char>(second) + "A";
      ASSERT_EQ(ToUtf8(pair), DecodedByIconv(pair)) << first << " " << second;
    }
  }
}
#endif

TEST(Cp932, WalksCharactersByLeadBytes) {
  const std::string text = FromUtf8("A表ｱソ\\") + "\x95";
  std::vector<std::string> chars;
  for (std::string_view ch : Chars(text)) chars.emplace_back(ch);
  const std::vector<std::string> expected = {"A", "\x95\x5c", "\xb1", "\x83\x5c", "\\", "\x95"};
  EXPECT_EQ(chars, expected);
  EXPECT_EQ(CharCount(text), 6u);
  EXPECT_EQ(CharSubstring(text, 1, 2), "\x95\x5c\xb1");
  EXPECT_EQ(CharSubstring(text, 5, 3), "\x95");
  EXPECT_EQ(CharSubstring(text, 9, 2), "");
}

}  // namespace
}  // namespace tavrimen::cp932
