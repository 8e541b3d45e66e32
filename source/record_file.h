// One file of a data set read as the conversion reads it: probed first (a missing file is created
// empty; an empty one is deleted again where its description says so), then split into records
// of the described number of items. Each item keeps its place in the file, for the data check.
//
// The file's bytes are kept once; records are read from them one at a time as they are iterated
// over, and their items are views into the bytes. So a file of many small items costs its own
// size and one record, not an object for every item.
#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/item_reader.h"
#include "reference/text_helpers.h"
#include "source/record_files.h"

namespace tavrimen {

using platform::DataFolder;

// The items of one record, 1-based, as views into the file's bytes. Items past the end of a short
// last record are empty and placed at the end of the data.
class Record {
 public:
  std::string_view operator[](int item) const { return at(item).text; }
  const platform::Item& at(int item) const { return items_[static_cast<std::size_t>(item - 1)]; }
  // How many items the file held for this record, counting the empty one after a comma that ends
  // the data: the record's size, or fewer for a short last record.
  int read() const { return read_; }

 private:
  friend class RecordFile;
  std::vector<platform::Item> items_;
  int read_ = 0;
};

class RecordFile : public NamedFile {
 public:
  // The file `layout.name` of `folder`. Nothing when it is missing or empty. Throws IoError when
  // it cannot be read, is no regular file or is larger than any data file.
  static std::optional<RecordFile> Open(const DataFolder& folder, const RecordFileLayout& layout);
  // The same, with a file of no records for a missing or empty one, for readers that take the
  // numbers of its (then empty) fields all the same.
  static RecordFile OpenOrEmpty(const DataFolder& folder, const RecordFileLayout& layout);
  // The probe of `layout.name` in `folder`: its length, a missing file created empty and then 0.
  // Throws IoError when a folder, pipe or device stands there, which is no empty file.
  static std::uintmax_t Probe(const DataFolder& folder, const RecordFileLayout& layout);

  RecordFile(std::string path, std::string bytes, int items_per_record);

  // The records in file order, read as the iteration goes: an input range whose record stays
  // valid until the iteration moves on. Every pass reads the file's bytes again.
  class Records {
   public:
    class Iterator {
     public:
      using value_type = Record;
      using difference_type = std::ptrdiff_t;
      using iterator_category = std::input_iterator_tag;

      const Record& operator*() const { return record_; }
      const Record* operator->() const { return &record_; }
      Iterator& operator++() {
        ReadNext();
        return *this;
      }
      void operator++(int) { ReadNext(); }
      bool operator==(std::default_sentinel_t) const { return ended_; }

     private:
      friend class Records;
      explicit Iterator(const RecordFile& file);
      void ReadNext();

      const RecordFile* file_;
      platform::ItemReader reader_;
      Record record_;
      bool ended_ = false;
    };

    Iterator begin() const { return Iterator(*file_); }
    std::default_sentinel_t end() const { return {}; }
    // Whether the file holds no record: nothing but line ends and end marks.
    bool empty() const { return file_->data_length_ == 0; }
    // The first record, read again; only when the file is not empty().
    Record front() const { return *begin(); }

   private:
    friend class RecordFile;
    explicit Records(const RecordFile& file) : file_(&file) {}
    const RecordFile* file_;
  };

  const std::string& bytes() const { return bytes_; }
  // The length of the data: the bytes without the line ends and end marks that close them.
  std::size_t data_length() const { return data_length_; }
  Records records() const { return Records(*this); }
  // The record that starts at the 1-based byte position `start`, and the position after it, for a
  // reader that keeps its own place in the file. From the end of the data on, every item is
  // missing.
  std::pair<Record, std::size_t> RecordAt(std::size_t start) const;

  // Line and column (characters) of a 1-based byte position. Positions asked in increasing order
  // on one line are counted on from the last one, so that a long line costs its length once.
  std::pair<int, int> Where(std::size_t position) const;

 private:
  // The line of a byte offset and the offset where that line starts.
  struct LineMark {
    std::size_t line = 1;
    std::size_t line_start = 0;
  };

  // The probe and read of Open: the bytes, nothing for a missing or empty file.
  static std::optional<std::string> ReadBytes(const DataFolder& folder,
                                              const RecordFileLayout& layout);
  // Reads the next record from `reader` into `record`.
  void ReadRecord(platform::ItemReader& reader, Record& record) const;

  std::string bytes_;
  std::size_t items_per_record_;
  std::size_t data_length_;  // bytes_ without the line ends and end marks that close it
  // The LineMark of every kLineMarkStep-th offset, filled on the first Where: a position is
  // found by scanning at most one step, for a small fraction of the file's size.
  mutable std::vector<LineMark> line_marks_;
  mutable std::size_t counted_line_start_ = 0;
  mutable std::size_t counted_offset_ = 0;
  mutable std::size_t counted_chars_ = 0;
};

}  // namespace tavrimen
