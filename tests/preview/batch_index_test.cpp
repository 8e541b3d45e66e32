#include "preview/batch_index.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"
#include "platform/paths.h"
#include "preview/record_header.h"

namespace tavrimen::preview {
namespace {

TEST(BatchIndex, RowsAreEscapedValidUtf8AndSayWhatIsMissing) {
  const std::vector<IndexRow> rows = {
      {"a/孔 1&<2>", "No.1", "千葉県", "孔 1&", "../out/x", "孔 1&.svg", RowOutcome::kConverted,
       ""},
      {"bad\xff/B-2\xed\xa0\x80", "", "", "", "", "", RowOutcome::kRefused, "\"B-2\" は既に"},
      {"B-3", "No.3", "", "B-3", "../out/B-3", "", RowOutcome::kConverted, "cannot draw B-3"},
      {"B-4", "", "", "", "", "", RowOutcome::kFailed, "line\nend"},
  };
  const IndexWords words{"ja",
                         "T",
                         "Run",
                         "Dest",
                         "Src",
                         "Pic",
                         "Bor",
                         "Site",
                         "Rec",
                         "Out",
                         "Msg",
                         "no pic",
                         {"ok", "no", "bad"}};
  Markup html;
  const std::string page(
      BatchIndexHtml(rows, {"2025-04-18 14:03:12", "/out", "/data\xc0\xaf"}, words, html));
  const std::string expected[] = {
      "<html lang=\"ja\">",
      "<li class=\"converted\">ok<b>2</b></li><li class=\"refused\">no<b>1</b></li>"
      "<li class=\"failed\">bad<b>1</b></li>",
      "<dt>Src</dt><dd>/data\xEF\xBF\xBD\xEF\xBF\xBD</dd>",
      "<tr class=\"converted\"><td><a href=\"%E5%AD%94%201%26.svg\"><img "
      "src=\"%E5%AD%94%201%26.svg\""
      " alt=\"孔 1&amp;.svg\" loading=\"lazy\"></a></td><td><div class=\"name\">No.1</div>"
      "<div class=\"source\">a/孔 1&amp;&lt;2&gt;</div></td><td>千葉県</td>"
      "<td><a href=\"../out/x\">孔 1&amp;</a></td><td class=\"outcome\">ok</td><td></td></tr>",
      "<tr class=\"refused\"><td></td><td><div class=\"source\">"
      "bad\xEF\xBF\xBD/B-2\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD</div></td><td></td><td></td>"
      "<td class=\"outcome\">no</td><td>&quot;B-2&quot; は既に</td></tr>",
      "<td><span class=\"no-picture\">no pic</span></td>",
      "<td class=\"outcome\">ok</td><td>cannot draw B-3</td>",
      "<td class=\"outcome\">bad</td><td>line end</td>",
  };
  for (const std::string& part : expected) EXPECT_NE(page.find(part), std::string::npos) << part;
  EXPECT_EQ(page.find("B-3.svg"), std::string::npos);
}

TEST(BatchIndex, LinksRecordFilesRelativelyOrByFileUrl) {
  const struct {
    const char* folder;
    const char* file;
    const char* link;
  } cases[] = {
      {"/data/pics", "/data/out/B-1", "../out/B-1"},
      {"/data/pics", "/data/pics/sub/B-1", "sub/B-1"},
      {"/", "/out/南棟 No.3&#?", "out/%E5%8D%97%E6%A3%9F%20No.3%26%23%3F"},
      {"/data/pics", "/data/out/a:b", "../out/a%3Ab"},
#ifdef _WIN32
      {"C:\\pics", "D:\\out\\B-1", "file:///D:/out/B-1"},  // across drives
      {"C:\\pics", "\\\\server\\share\\B-1", "file://server/share/B-1"},
#else
      {"pics", "/data/out/a b", "file:///data/out/a%20b"},  // from a relative folder
#endif
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileLink(platform::Utf8Path(c.folder), platform::Utf8Path(c.file)), c.link) << c.file;
  }
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
