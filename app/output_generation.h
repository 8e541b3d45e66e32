// Builds every line of the record file in memory, in the fixed order of its blocks, and writes
// the file in one pass.
#pragma once

#include "app/session.h"

namespace tavrimen {

// Reads the title files and the source records of `session.source` and fills `session.lines`.
// Throws ConversionError (IoError, NumberOverflowError, LineLimitError).
void BuildRecordLines(Session& session);

// BuildRecordLines, then writes the lines to `session.output_path` atomically, and gives the
// bytes written. On a throw no record file has been written and an earlier one is untouched.
std::string GenerateRecordFile(Session& session);

}  // namespace tavrimen
