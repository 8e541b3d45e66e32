// Builds every line of the record file in memory, in the fixed order of its blocks, and writes
// the file in one pass.
#pragma once

#include "app/session.h"

namespace tavrimen {

// Reads the source records of `session.source_folder`, fills `session.lines` and writes them to
// `session.output_path` atomically. Throws ConversionError (IoError, DataError, LineLimitError);
// on a throw no record file has been written and an earlier one is untouched.
void GenerateRecordFile(Session& session);

}  // namespace tavrimen
