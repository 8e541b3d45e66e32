// Typed failures of a conversion. They say what failed, where and why, in terms a program can
// test; the texts a user sees are made from them in one place (app/messages.h).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tavrimen {

class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a file-system operation was doing.
enum class FileOperation { kRead, kWrite, kMakeFolder };

// A file or folder operation failed. `path` is the path as the system names it (drive form);
// `error` the system's error, as an errno value of std::generic_category where one fits.
class IoError : public ConversionError {
 public:
  IoError(FileOperation operation, std::string path, std::error_code error);
  FileOperation operation() const { return operation_; }
  const std::string& path() const { return path_; }
  std::error_code error() const { return error_; }

 private:
  FileOperation operation_;
  std::string path_;
  std::error_code error_;
};

// A reference table of the pattern-data folder that could not be read.
class TableReadError : public IoError {
 public:
  explicit TableReadError(const IoError& cause)
      : IoError(cause.operation(), cause.path(), cause.error()) {}
};

// A numeric field whose magnitude lies beyond single precision: its text, and the file it came
// from once a reader of that file has named it.
class NumberOverflowError : public ConversionError {
 public:
  explicit NumberOverflowError(std::string field_text, std::string path = {});
  const std::string& field_text() const { return field_text_; }
  const std::string& path() const { return path_; }

 private:
  std::string field_text_;
  std::string path_;
};

// An errno value as an error code.
inline std::error_code ErrnoError(int error_number) {
  return {error_number, std::generic_category()};
}

// The files that are refused before they are read.
enum class FileRefusal {
  kNotAFile = 1,  // a folder, a pipe, a device: no data file
  kTooLarge,      // larger than kLargestDataFile
};
// No file of a data set or a pattern-data folder comes near this size; a larger one is refused
// before it is read.
inline constexpr std::uintmax_t kLargestDataFile = std::uintmax_t{64} << 20;
const std::error_category& FileRefusalCategory();
inline std::error_code RefusalError(FileRefusal refusal) {
  return {static_cast<int>(refusal), FileRefusalCategory()};
}

}  // namespace tavrimen
