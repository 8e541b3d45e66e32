#include "preview/batch_index.h"

#include <cstdio>

#include "preview/markup.h"

namespace tavrimen::preview {
namespace {

// A file name as a relative URL: every byte but the unreserved ones percent-encoded.
std::string Url(const std::string& name) {
  std::string out;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~') {
      out += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      out += escaped;
    }
  }
  return out;
}

}  // namespace

std::string BatchIndexHtml(const std::vector<IndexRow>& rows, const IndexWords& words) {
  Markup html;
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
      html << "<a href=\"" << Url(row.picture) << "\"><img src=\"" << Url(row.picture)
           << "\" alt=\"" << Escaped{row.picture} << "\"></a>";
    }
    html << "</td><td>" << Escaped{row.outcome} << "</td><td>" << Escaped{row.message}
         << "</td></tr>\n";
  }
  html << "</table>\n</body>\n</html>\n";
  return html.Take();
}

}  // namespace tavrimen::preview
