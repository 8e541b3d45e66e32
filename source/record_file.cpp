#include "source/record_file.h"

#include <algorithm>

#include "platform/cp932.h"

namespace tavrimen {

namespace {

// Where keeps the line of every this many bytes.
constexpr std::size_t kLineMarkStep = 1024;

// Whether the byte at `i` ends a line: LF, or CR not followed by LF.
bool EndsLine(std::string_view bytes, std::size_t i) {
  return bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'));
}

}  // namespace

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

RecordFile RecordFile::OpenOrEmpty(const DataFolder& folder, const RecordFileLayout& layout) {
  return RecordFile(folder.PathOf(layout.name), ReadBytes(folder, layout).value_or(std::string()),
                    layout.items_per_record);
}

RecordFile::RecordFile(std::string path, std::string bytes, int items_per_record)
    : NamedFile(std::move(path)),
      bytes_(std::move(bytes)),
      items_per_record_(static_cast<std::size_t>(items_per_record)),
      data_length_(platform::ItemReader::DataLength(bytes_)) {}

RecordFile::Records::Iterator::Iterator(const RecordFile& file)
    : file_(&file), reader_(file.bytes_) {
  record_.items_.reserve(file.items_per_record_);
  ReadNext();
}

void RecordFile::Records::Iterator::ReadNext() {
  if (reader_.AtEnd()) {
    ended_ = true;
    return;
  }
  file_->ReadRecord(reader_, record_);
}

void RecordFile::ReadRecord(platform::ItemReader& reader, Record& record) const {
  std::vector<platform::Item>& items = record.items_;
  items.clear();
  while (items.size() < items_per_record_ && !reader.AtEnd()) items.push_back(reader.Next());
  // A comma that ends the data is followed by one more, empty, item.
  std::size_t read = items.size();
  if (read != 0 && read < items_per_record_ && reader.AtEnd() && bytes_[data_length_ - 1] == ',') {
    ++read;
  }
  record.read_ = static_cast<int>(read);
  platform::Item missing;
  missing.start = data_length_ + 1;
  items.resize(items_per_record_, missing);
}

std::pair<Record, std::size_t> RecordFile::RecordAt(std::size_t start) const {
  // Over the data alone, which the reader would otherwise find again every time.
  platform::ItemReader reader(std::string_view(bytes_).substr(0, data_length_), start);
  Record record;
  ReadRecord(reader, record);
  return {std::move(record), reader.Position()};
}

std::pair<int, int> RecordFile::Where(std::size_t position) const {
  const std::string_view bytes = bytes_;
  if (line_marks_.empty()) {
    line_marks_.reserve(bytes.size() / kLineMarkStep + 1);
    LineMark mark;
    for (std::size_t step = 0; step <= bytes.size(); step += kLineMarkStep) {
      line_marks_.push_back(mark);
      const std::size_t step_end = std::min(step + kLineMarkStep, bytes.size());
      for (std::size_t i = step; i < step_end; ++i) {
        if (EndsLine(bytes, i)) mark = {mark.line + 1, i + 1};
      }
    }
  }
  const std::size_t offset = std::min(position == 0 ? 0 : position - 1, bytes.size());
  LineMark mark = line_marks_[offset / kLineMarkStep];
  for (std::size_t i = offset / kLineMarkStep * kLineMarkStep; i < offset; ++i) {
    if (EndsLine(bytes, i)) mark = {mark.line + 1, i + 1};
  }
  const std::size_t line_start = mark.line_start;
  if (line_start != counted_line_start_ || offset < counted_offset_) {
    counted_line_start_ = line_start;
    counted_offset_ = line_start;
    counted_chars_ = 0;
  }
  counted_chars_ += cp932::CharCount(bytes.substr(counted_offset_, offset - counted_offset_));
  counted_offset_ = offset;
  return {static_cast<int>(mark.line), static_cast<int>(counted_chars_) + 1};
}

}  // namespace tavrimen
