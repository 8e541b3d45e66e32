#include "preview/batch_index.h"

#include <algorithm>

#include "platform/utf8.h"
#include "preview/markup.h"

namespace tavrimen::preview {
namespace {

// Text that may hold any bytes (a folder name need not be UTF-8), escaped, with each byte that
// starts no valid UTF-8 sequence as U+FFFD.
struct Text {
  std::string_view bytes;
};

Markup& operator<<(Markup& html, Text text) {
  std::string_view rest = text.bytes;
  std::size_t valid = 0;  // the length of the valid run at the start of `rest`
  while (valid < rest.size()) {
    const std::size_t length = platform::ValidUtf8Sequence(rest.substr(valid));
    if (length != 0) {
      valid += length;
      continue;
    }
    html << Escaped{rest.substr(0, valid)} << "\xEF\xBF\xBD";
    rest.remove_prefix(valid + 1);
    valid = 0;
  }
  return html << Escaped{rest};
}

// Bytes of a URL's path, percent-encoded but for the unreserved characters and the separators.
void AppendEncoded(std::string& url, std::string_view path) {
  constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      url += c;
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0xF];
    }
  }
}

std::string_view Bytes(const std::u8string& text) {
  return {reinterpret_cast<const char*>(text.data()), text.size()};
}

// The page's look: a summary over a table whose outcome column never wraps, for a window of
// some 1000 px and for A4 paper across.
constexpr std::string_view kStyle =
    "body { font-family: 'Yu Gothic UI', Meiryo, 'Noto Sans CJK JP', IPAPGothic, sans-serif; "
    "margin: 16px; color: #222; font-size: 14px; }\n"
    "h1 { font-size: 20px; margin: 0 0 8px; }\n"
    ".counts { list-style: none; display: flex; gap: 8px; margin: 0 0 8px; padding: 0; }\n"
    ".counts li { padding: 2px 10px; border: 1px solid #ccc; border-radius: 3px; "
    "white-space: nowrap; }\n"
    ".counts b { margin-left: 4px; }\n"
    ".counts .none { color: #999; }\n"
    ".facts { display: grid; grid-template-columns: max-content 1fr; gap: 2px 12px; "
    "margin: 0 0 12px; }\n"
    ".facts dt { color: #666; }\n"
    ".facts dd { margin: 0; overflow-wrap: anywhere; }\n"
    "table { border-collapse: collapse; width: 100%; }\n"
    "th, td { padding: 6px 8px; vertical-align: top; text-align: left; "
    "border-bottom: 1px solid #ddd; overflow-wrap: anywhere; }\n"
    "th { background: #f3f3f3; border-bottom: 2px solid #bbb; white-space: nowrap; }\n"
    "th.picture { width: 160px; }\n"
    "th.boring { width: 18%; }\n"
    "th.site { width: 16%; }\n"
    "th.record { width: 10%; }\n"
    ".outcome { white-space: nowrap; }\n"
    "img { display: block; width: 160px; max-height: 120px; object-fit: cover; "
    "object-position: left top; border: 1px solid #ddd; }\n"
    ".source { color: #666; font-size: 12px; }\n"
    ".name { font-weight: bold; }\n"
    ".refused .outcome { color: #8a5a00; }\n"
    ".failed .outcome, .no-picture { color: #b3261e; }\n"
    "tr.refused, tr.failed { background: #fdf5ea; }\n"
    "@page { size: A4 landscape; margin: 10mm; }\n"
    "@media print {\n"
    "  body { margin: 0; font-size: 10pt; }\n"
    "  tr { break-inside: avoid; }\n"
    "  a { color: inherit; text-decoration: none; }\n"
    "}\n";

}  // namespace

std::string_view BatchIndexHtml(const std::vector<IndexRow>& rows, const IndexFacts& facts,
                                const IndexWords& words, Markup& html) {
  html.Clear();
  // Room for the whole page at once: a row is its texts and some 400 bytes of markup.
  std::size_t room = 4096;
  std::array<std::size_t, 3> counts{};
  for (const IndexRow& row : rows) {
    room += 400 + row.source.size() + row.boring_name.size() + row.site.size() +
            row.record_name.size() + row.record_link.size() + 6 * row.picture.size() +
            row.message.size();
    ++counts[static_cast<std::size_t>(row.outcome)];
  }
  html.reserve(room);
  constexpr std::array<std::string_view, 3> kClasses = {"converted", "refused", "failed"};
  html << "<!DOCTYPE html>\n<html lang=\"" << Escaped{words.language}
       << "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" << Escaped{words.title}
       << "</title>\n<style>\n"
       << kStyle << "</style>\n</head>\n<body>\n<h1>" << Escaped{words.title}
       << "</h1>\n<ul class=\"counts\">";
  for (std::size_t i = 0; i < counts.size(); ++i) {
    html << "<li class=\"" << kClasses[i] << (counts[i] == 0 ? " none" : "") << "\">"
         << Escaped{words.outcomes[i]} << "<b>" << static_cast<int>(counts[i]) << "</b></li>";
  }
  html << "</ul>\n<dl class=\"facts\">\n<dt>" << Escaped{words.run_at} << "</dt><dd>"
       << Text{facts.run_at} << "</dd>\n<dt>" << Escaped{words.destination} << "</dt><dd>"
       << Text{facts.destination} << "</dd>\n";
  if (!facts.sources.empty()) {
    html << "<dt>" << Escaped{words.sources} << "</dt><dd>" << Text{facts.sources} << "</dd>\n";
  }
  html << "</dl>\n<table>\n<thead><tr><th class=\"picture\">" << Escaped{words.picture}
       << "</th><th class=\"boring\">" << Escaped{words.boring} << "</th><th class=\"site\">"
       << Escaped{words.site} << "</th><th class=\"record\">" << Escaped{words.record_file}
       << "</th><th class=\"outcome\">" << Escaped{words.outcome} << "</th><th>"
       << Escaped{words.message} << "</th></tr></thead>\n<tbody>\n";
  for (const IndexRow& row : rows) {
    const auto outcome = static_cast<std::size_t>(row.outcome);
    html << "<tr class=\"" << kClasses[outcome] << "\"><td>";
    if (!row.picture.empty()) {
      std::string link;
      AppendEncoded(link, row.picture);
      html << "<a href=\"" << link << "\"><img src=\"" << link << "\" alt=\"" << Text{row.picture}
           << "\" loading=\"lazy\"></a>";
    } else if (row.outcome == RowOutcome::kConverted) {
      html << "<span class=\"no-picture\">" << Escaped{words.no_picture} << "</span>";
    }
    html << "</td><td>";
    if (!row.boring_name.empty()) {
      html << "<div class=\"name\">" << Text{row.boring_name} << "</div>";
    }
    html << "<div class=\"source\">" << Text{row.source} << "</div></td><td>" << Text{row.site}
         << "</td><td>";
    if (!row.record_name.empty()) {
      html << "<a href=\"" << Escaped{row.record_link} << "\">" << Text{row.record_name} << "</a>";
    }
    html << "</td><td class=\"outcome\">" << Escaped{words.outcomes[outcome]} << "</td><td>"
         << Text{row.message} << "</td></tr>\n";
  }
  html << "</tbody>\n</table>\n</body>\n</html>\n";
  return html.view();
}

std::string FileLink(const std::filesystem::path& folder, const std::filesystem::path& file) {
  std::string url;
  const std::filesystem::path relative = file.lexically_relative(folder);
  if (!relative.empty()) {
    AppendEncoded(url, Bytes(relative.generic_u8string()));
    return url;
  }
  // "/data/B-1"; on Windows "C:/DATA/B-1" or, for a network share, "//server/share/B-1", taken
  // from the native path since the generic one of libstdc++ keeps one slash of a share's two.
  constexpr bool kWindows = std::filesystem::path::preferred_separator == '\\';
  std::string path(Bytes(file.u8string()));
  std::string_view rest = path;
  if constexpr (kWindows) {
    std::replace(path.begin(), path.end(), '\\', '/');
    if (rest.starts_with("//")) {
      url = "file:";
    } else if (rest.size() >= 2 && rest[1] == ':') {
      url = "file:///";
      url.append(rest.substr(0, 2));  // the drive's colon stays as it is
      rest.remove_prefix(2);
    }
  }
  if (url.empty()) url = "file://";
  AppendEncoded(url, rest);
  return url;
}

}  // namespace tavrimen::preview
