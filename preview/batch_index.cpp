#include "preview/batch_index.h"

#include "preview/markup.h"

namespace tavrimen::preview {
namespace {

// A file name as a relative URL: every byte but the unreserved ones percent-encoded.
void AppendUrl(Markup& out, std::string_view name) {
  constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~') {
      out << c;
    } else {
      out << '%' << kHex[byte >> 4] << kHex[byte & 0xF];
    }
  }
}

}  // namespace

std::string_view BatchIndexHtml(const std::vector<IndexRow>& rows, const IndexWords& words,
                                Markup& html) {
  html.Clear();
  // Room for the whole page at once: a row is its texts and some 150 bytes of markup.
  std::size_t room = 2048;
  for (const IndexRow& row : rows) {
    room +=
        160 + row.source.size() + row.outcome.size() + row.message.size() + 4 * row.picture.size();
  }
  html.reserve(room);
  html << "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
       << Escaped{words.title}
       << "</title>\n<style>\n"
          "body { font-family: 'Yu Gothic UI', Meiryo, 'Noto Sans CJK JP', IPAPGothic, sans-serif; "
          "margin: 1em; }\n"
          "table { border-collapse: collapse; }\n"
          "th, td { border: 1px solid #bbb; padding: 4px 8px; vertical-align: top; text-align: "
          "left; }\n"
          "img { width: 180px; border: 1px solid #ddd; }\n"
          ".not-converted { background: #fbeedd; }\n"
          "</style>\n</head>\n<body>\n<h1>"
       << Escaped{words.title} << "</h1>\n<table>\n<tr><th>" << Escaped{words.boring} << "</th><th>"
       << Escaped{words.picture} << "</th><th>" << Escaped{words.outcome} << "</th><th>"
       << Escaped{words.message} << "</th></tr>\n";
  for (const IndexRow& row : rows) {
    html << (row.converted ? "<tr>" : "<tr class=\"not-converted\">") << "<td>"
         << Escaped{row.source} << "</td><td>";
    if (!row.picture.empty()) {
      html << "<a href=\"";
      AppendUrl(html, row.picture);
      html << "\"><img src=\"";
      AppendUrl(html, row.picture);
      html << "\" alt=\"" << Escaped{row.picture} << "\"></a>";
    }
    html << "</td><td>" << Escaped{row.outcome} << "</td><td>" << Escaped{row.message}
         << "</td></tr>\n";
  }
  html << "</table>\n</body>\n</html>\n";
  return html.view();
}

}  // namespace tavrimen::preview
