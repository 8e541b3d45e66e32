#include "preview/batch_index.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"
#include "preview/record_header.h"

namespace tavrimen::preview {
namespace {

TEST(BatchIndex, LinksEachPictureByItsEncodedNameAndEscapesTheTexts) {
  const std::vector<IndexRow> rows = {
      {"/data/孔 1&<2>", "converted", true, "", "孔 1&.svg"},
      {"/data/B-2", "refused", false, "\"B-2\" は既にあります", ""},
  };
  Markup html;
  const std::string page(BatchIndexHtml(rows, {"T", "B", "P", "O", "M"}, html));
  EXPECT_NE(page.find("<a href=\"%E5%AD%94%201%26.svg\"><img src=\"%E5%AD%94%201%26.svg\" "
                      "alt=\"孔 1&amp;.svg\"></a>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<td>/data/孔 1&amp;&lt;2&gt;</td>"), std::string::npos) << page;
  EXPECT_NE(page.find("<tr class=\"not-converted\"><td>/data/B-2</td><td></td><td>refused</td>"
                      "<td>&quot;B-2&quot; は既にあります</td></tr>"),
            std::string::npos)
      << page;
}

TEST(RecordHeader, ReadsTheBoringNameAndTheSite) {
  const std::string name = cp932::FromUtf8("No.1 南");
  const std::string site = cp932::FromUtf8("千葉県 千葉市");
  const struct {
    std::string bytes;
    const char* boring_name;
    const char* site;
  } cases[] = {
      {"TPJ Ge201\r\nP\r\n@\r\n" + name + "\r\n@\r\nW\r\n" + site + "\r\n35\r\n", "No.1 南",
       "千葉県 千葉市"},
      {"TPJ Ge201\nP\n@\n" + name + "\n@\nW\n" + site + "\n", "No.1 南", "千葉県 千葉市"},
      {"TPJ Ge201\r\nP\r\n@\r\n@\r\n@\r\nW\r\n@\r\n", "", ""},
      {"TPJ Ge201\r\nP\r\n@\r\nB-1\r\n", "B-1", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    const RecordHeader header = ReadRecordHeader(c.bytes);
    EXPECT_EQ(header.boring_name, c.boring_name) << c.bytes;
    EXPECT_EQ(header.site, c.site) << c.bytes;
  }
}

}  // namespace
}  // namespace tavrimen::preview
