#include "source/record_file.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/errors.h"
#include "reference/text_helpers.h"

namespace tavrimen {

std::string Record::Or(int item, std::string_view mark) const {
  const std::string& text = (*this)[item];
  return text.empty() ? std::string(mark) : text;
}

std::uintmax_t RecordFile::Probe(const DataFolder& folder, const RecordFileLayout& layout) {
  const std::string path = folder.PathOf(layout.name);
  const std::uintmax_t length = folder.files.ProbeFile(path);
  if (length == 0) {
    // Reading it says why it is no data file.
    if (auto entry = folder.files.Entry(path); entry && !entry->regular) {
      folder.files.ReadWholeFile(path);
    }
  }
  return length;
}

std::optional<std::string> RecordFile::ReadBytes(const DataFolder& folder,
                                                 const RecordFileLayout& layout) {
  const std::string path = folder.PathOf(layout.name);
  if (Probe(folder, layout) == 0) {
    if (layout.when_empty == WhenEmpty::kDelete) folder.files.DeleteFileQuietly(path);
    return std::nullopt;
  }
  return folder.files.ReadWholeFile(path);
}

std::optional<RecordFile> RecordFile::Open(const DataFolder& folder,
                                           const RecordFileLayout& layout) {
  auto bytes = ReadBytes(folder, layout);
  if (!bytes) return std::nullopt;
  return RecordFile(folder.PathOf(layout.name), std::move(*bytes), layout.items_per_record);
}

RecordFile::RecordFile(std::string path, std::string bytes, int items_per_record)
    : path_(std::move(path)), bytes_(std::move(bytes)) {
  const std::size_t data_length = platform::ItemReader::DataLength(bytes_);
  const auto wanted = static_cast<std::size_t>(items_per_record);
  platform::ItemReader reader(bytes_);
  while (!reader.AtEnd()) {
    std::vector<platform::Item> items;
    items.reserve(wanted);
    while (items.size() < wanted && !reader.AtEnd()) items.push_back(reader.Next());
    // A comma that ends the data is followed by one more, empty, item.
    std::size_t read = items.size();
    if (reader.AtEnd() && read < wanted && data_length > 0 && bytes_[data_length - 1] == ',') {
      ++read;
    }
    short_last_ = read < wanted ? static_cast<int>(read) : 0;
    platform::Item missing;
    missing.start = data_length + 1;
    items.resize(wanted, missing);
    records_.emplace_back(std::move(items));
  }
}

float RecordFile::Number(std::string_view text) const { return NumberInFile(text, path_); }

void RecordFile::Overflow(std::string texts) const {
  throw NumberOverflowError(std::move(texts), path_);
}

std::pair<int, int> RecordFile::Where(std::size_t position) const {
  if (line_starts_.empty()) {
    line_starts_.push_back(0);
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
      if (bytes_[i] == '\n' ||
          (bytes_[i] == '\r' && (i + 1 >= bytes_.size() || bytes_[i + 1] != '\n'))) {
        line_starts_.push_back(i + 1);
      }
    }
  }
  const std::size_t offset = std::min(position == 0 ? 0 : position - 1, bytes_.size());
  auto after = std::upper_bound(line_starts_.begin(), line_starts_.end(), offset);
  const std::size_t line_start = *(after - 1);
  const int line = static_cast<int>(after - line_starts_.begin());
  if (line_start != counted_line_start_ || offset < counted_offset_) {
    counted_line_start_ = line_start;
    counted_offset_ = line_start;
    counted_chars_ = 0;
  }
  counted_chars_ +=
      cp932::CharCount(std::string_view(bytes_).substr(counted_offset_, offset - counted_offset_));
  counted_offset_ = offset;
  return {line, static_cast<int>(counted_chars_) + 1};
}

}  // namespace tavrimen
