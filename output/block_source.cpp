#include "output/block_source.h"

#include "platform/file_system.h"

namespace tavrimen {

std::optional<std::string> ReadBlockSource(const std::string& path, WhenEmpty when_empty) {
  if (platform::ProbeFile(path) == 0) {
    if (when_empty == WhenEmpty::kDelete) platform::DeleteFileQuietly(path);
    return std::nullopt;
  }
  return platform::ReadWholeFile(path);
}

std::vector<std::string> ReadRecord(platform::ItemReader& reader, int count) {
  std::vector<std::string> fields(static_cast<std::size_t>(count) + 1);
  for (int f = 1; f <= count; ++f) fields[static_cast<std::size_t>(f)] = reader.NextText();
  return fields;
}

}  // namespace tavrimen
