// The boring name and the site of a record file, for the batch overview: its header lines
// record::header::kBoringName and kLocation (source/record_lines.h).
#pragma once

#include <string>
#include <string_view>

namespace tavrimen::preview {

struct RecordHeader {
  std::string boring_name;  // UTF-8; empty for none
  std::string site;
};

// The header of a record file's bytes (code page 932, lines ended by CR LF or LF alone). A line
// holding the mark "@" and a line the file lacks both give an empty text.
RecordHeader ReadRecordHeader(std::string_view bytes);

}  // namespace tavrimen::preview
