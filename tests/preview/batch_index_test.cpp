#include "preview/batch_index.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace tavrimen::preview
