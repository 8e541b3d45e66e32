// Failures of output generation.
#pragma once

#include "platform/errors.h"

namespace tavrimen {

// The data set needs more lines than the record file holds.
class LineLimitError : public ConversionError {
 public:
  LineLimitError() : ConversionError("more than 1000 record lines") {}
};

}  // namespace tavrimen
