// Reading the optional record files of the blocks (X5, X6, X7, X11, N8, N9).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/item_reader.h"

namespace tavrimen {

enum class WhenEmpty { kDelete, kKeep };

// The bytes of a block's source file, or nothing when the existence probe finds it empty (a
// missing file is created by the probe). An empty file is deleted again where asked.
std::optional<std::string> ReadBlockSource(const std::string& path, WhenEmpty when_empty);

// The next `count` items as fields 1 to `count` (element 0 unused).
std::vector<std::string> ReadRecord(platform::ItemReader& reader, int count);

}  // namespace tavrimen
