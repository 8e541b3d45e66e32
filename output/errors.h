// Failures of output generation.
#pragma once

#include "platform/errors.h"

namespace tavrimen {

// The data set needs more lines than the record file holds.
class LineLimitError : public ConversionError {
 public:
  LineLimitError()
      : ConversionError(
            "記録ファイルの行数が上限の1000行を超えるため、変換できません。\n"
            "記録ファイルは作成されませんでした。") {}
};

}  // namespace tavrimen
