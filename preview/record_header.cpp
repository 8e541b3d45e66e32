#include "preview/record_header.h"

#include <algorithm>

#include "platform/cp932.h"
#include "source/record_lines.h"

namespace tavrimen::preview {
namespace {

// A header line's text in UTF-8, empty for the mark that stands for none.
std::string HeaderText(std::string_view line) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line == record::kNoText ? std::string() : cp932::ToUtf8(line);
}

}  // namespace

RecordHeader ReadRecordHeader(std::string_view bytes) {
  static_assert(record::header::kBoringName < record::header::kLocation);
  RecordHeader header;
  std::size_t start = 0;
  for (int number = 1; number <= record::header::kLocation && start < bytes.size(); ++number) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    const std::string_view line = bytes.substr(start, end - start);
    if (number == record::header::kBoringName) header.boring_name = HeaderText(line);
    if (number == record::header::kLocation) header.site = HeaderText(line);
    start = end + 1;
  }
  return header;
}

}  // namespace tavrimen::preview
