#include "platform/xml_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/cp932.h"
#include "support/temp_folder.h"

namespace tavrimen::platform {
namespace {

const std::string kBoring =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
    "<!DOCTYPE ボーリング情報 SYSTEM \"BED0400.DTD\">\r\n"
    "<ボーリング情報 DTD_version=\"4.00\">\r\n"
    "<標題情報><調査名>　 地盤 &amp; 調査\t\r\n</調査名></標題情報>\r\n"
    "<岩石土区分><下端深度>1.00</下端深度></岩石土区分>\r\n"
    "<岩石土区分><下端深度>2.50</下端深度></岩石土区分>\r\n"
    "<記事>一行目\r\n二行目</記事>\r\n"
    "</ボーリング情報>\r\n";

TEST(XmlTree, ReadsTheBytesAsTheyAreWhateverTheDeclarationSays) {
  struct Case {
    const char* name;
    std::string bytes;
    XmlEncoding encoding;
  };
  const std::vector<Case> cases = {
      {"UTF-8 declaring Shift_JIS", kBoring, XmlEncoding::kUtf8},
      {"code page 932 declaring Shift_JIS", cp932::FromUtf8(kBoring), XmlEncoding::kCp932},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + kBoring, XmlEncoding::kUtf8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const XmlDocument document = ParseXml(c.bytes);
    EXPECT_EQ(document.encoding, c.encoding);
    const XmlElement& root = document.root;
    EXPECT_EQ(root.name, "ボーリング情報");
    EXPECT_EQ(root.line, 3);
    EXPECT_EQ(root.Attribute("DTD_version"), "4.00");
    EXPECT_EQ(root.Attribute("missing"), "");
    ASSERT_NE(root.Child("標題情報"), nullptr);
    EXPECT_EQ(root.Child("標題情報")->ChildText("調査名"), "地盤 & 調査");
    EXPECT_EQ(root.Child("none"), nullptr);
    EXPECT_EQ(root.ChildText("none"), "");
    const auto layers = root.Children("岩石土区分");
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(layers[1]->ChildText("下端深度"), "2.50");
    EXPECT_EQ(layers[1]->line, 7);
    ASSERT_NE(root.Child("記事"), nullptr);
    EXPECT_EQ(root.Child("記事")->text, "一行目\n二行目");
    EXPECT_EQ(root.Child("記事")->line, 8);
  }
}

std::string Repeated(std::string_view text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

TEST(XmlTree, RefusesWhatItCannotReadSafelyAtItsLine) {
  struct Case {
    const char* name;
    std::string bytes;
    int line;
    std::string what;
  };
  const std::vector<Case> cases = {
      {"mismatched tag", "<a>\n<b>\n</a>", 3, "mismatched tag"},
      {"no element", "", 1, "no element found"},
      {"code page 932 keeps its lines", cp932::FromUtf8("<表>\n\n<表>\n</a>"), 4, "mismatched tag"},
      {"entities that expand without bound",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n<!ENTITY lol \"lol\">\n"
       "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n]>\n"
       "<lolz>&lol2;</lolz>",
       3, "entity declarations are not read"},
      {"an external entity",
       "<!DOCTYPE a [\n<!ENTITY xxe SYSTEM \"file:///etc/passwd\">\n]>\n<a>&xxe;</a>", 2,
       "entity declarations are not read"},
      {"an external parameter entity",
       "<!DOCTYPE a [\n<!ENTITY % p SYSTEM \"file:///etc/passwd\">\n%p;\n]>\n<a/>", 2,
       "entity declarations are not read"},
      {"an entity the unread DTD might declare", "<!DOCTYPE a SYSTEM \"a.dtd\">\n<a>&x;</a>", 2,
       "undeclared entity: x"},
      {"nesting beyond the bound", std::string(256, '\n') + Repeated("<a>", 300), 257,
       "elements nested deeper than 256"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ParseXml(c.bytes);
      ADD_FAILURE() << "read";
    } catch (const XmlError& error) {
      EXPECT_EQ(error.line(), c.line);
      EXPECT_EQ(error.what(), c.what);
    }
  }
}

TEST(XmlTree, ReadsEveryRealBoringFile) {
  const std::filesystem::path folder = TAVRIMEN_REALXML_DIR;
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no " << folder.string();
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".xml") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++files;
    EXPECT_EQ(ParseXml(testing::ReadFile(entry.path())).root.name, "ボーリング情報");
  }
  EXPECT_EQ(files, 18);
}

}  // namespace
}  // namespace tavrimen::platform
