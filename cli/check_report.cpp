#include "cli/check_report.h"

#include <cstdio>
#include <ostream>

#include "platform/cp932.h"
#include "platform/paths.h"

namespace tavrimen::cli {
namespace {

// A finding's file by its native path; a path that is not in drive form (as the command line gave
// it) as it is.
std::string Shown(platform::FileSystem& files, const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return path;
  auto native = files.ToNative(path);
  return native ? platform::Utf8String(*native) : path;
}

// `text` with every byte that starts no valid UTF-8 sequence replaced by U+FFFD, so that the JSON
// is valid whatever bytes a file name holds.
std::string ValidUtf8(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = cp932::Utf8SequenceLength(lead);
    bool valid = lead < 0x80 || length > 1;
    for (std::size_t k = 1; valid && k < length; ++k) {
      valid = i + k < text.size() && (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    }
    if (valid) {
      out.append(text, i, length);
      i += length;
    } else {
      out += "\xEF\xBF\xBD";
      i += 1;
    }
  }
  return out;
}

std::string JsonString(const std::string& raw) {
  const std::string text = ValidUtf8(raw);
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace

void PrintFindings(platform::FileSystem& files, const std::vector<Finding>& findings, bool json,
                   std::ostream& out) {
  if (json) {
    out << "[";
    for (std::size_t i = 0; i < findings.size(); ++i) {
      const Finding& f = findings[i];
      out << (i == 0 ? "\n  " : ",\n  ") << "{\"file\": " << JsonString(Shown(files, f.file))
          << ", \"line\": " << f.line << ", \"column\": " << f.column
          << ", \"severity\": " << JsonString(SeverityName(f.severity))
          << ", \"message\": " << JsonString(f.message) << "}";
    }
    out << (findings.empty() ? "]\n" : "\n]\n");
    return;
  }
  for (const Finding& f : findings) {
    out << Shown(files, f.file) << ":" << f.line << ":" << f.column << ": "
        << SeverityName(f.severity) << ": " << f.message << "\n";
  }
}

}  // namespace tavrimen::cli
