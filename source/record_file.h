// One file of a data set read as the conversion reads it: probed first (a missing file is created
// empty; an empty one is deleted again where its description says so), then split into records
// of the described number of items. Each item keeps its place in the file, for the data check.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/item_reader.h"
#include "source/record_files.h"

namespace tavrimen {

using platform::DataFolder;

// The items of one record, 1-based. Items past the end of a short last record are empty and
// placed at the end of the data.
class Record {
 public:
  explicit Record(std::vector<platform::Item> items) : items_(std::move(items)) {}
  const std::string& operator[](int item) const { return at(item).text; }
  const platform::Item& at(int item) const { return items_[static_cast<std::size_t>(item - 1)]; }
  // The item's text, or `mark` when it is empty.
  std::string Or(int item, std::string_view mark) const;

 private:
  std::vector<platform::Item> items_;
};

class RecordFile {
 public:
  // The file `layout.name` of `folder`. Nothing when it is missing or empty. Throws IoError when
  // it cannot be read, is no regular file or is larger than any data file.
  static std::optional<RecordFile> Open(const DataFolder& folder, const RecordFileLayout& layout);
  // The probe of `layout.name` in `folder`: its length, a missing file created empty and then 0.
  // Throws IoError when a folder, pipe or device stands there, which is no empty file.
  static std::uintmax_t Probe(const DataFolder& folder, const RecordFileLayout& layout);
  // The same probe and read, for readers that take the file's items in an order of their own.
  static std::optional<std::string> ReadBytes(const DataFolder& folder,
                                              const RecordFileLayout& layout);

  RecordFile(std::string path, std::string bytes, int items_per_record);

  const std::string& path() const { return path_; }
  const std::string& bytes() const { return bytes_; }
  const std::vector<Record>& records() const { return records_; }
  // How many items the last record held when it was short; 0 when it was whole.
  int short_last() const { return short_last_; }

  // NumberFromText of a text of this file. A number beyond single precision raises a
  // NumberOverflowError that names the file.
  float Number(std::string_view text) const;
  // Raises that error for a value computed from `texts` of this file.
  [[noreturn]] void Overflow(std::string texts) const;

  // Line and column (characters) of a 1-based byte position. Positions asked in increasing order
  // on one line are counted on from the last one, so that a long line costs its length once.
  std::pair<int, int> Where(std::size_t position) const;

 private:
  std::string path_;
  std::string bytes_;
  std::vector<Record> records_;
  int short_last_ = 0;
  mutable std::vector<std::size_t> line_starts_;  // filled on the first Where
  mutable std::size_t counted_line_start_ = 0;
  mutable std::size_t counted_offset_ = 0;
  mutable std::size_t counted_chars_ = 0;
};

}  // namespace tavrimen
