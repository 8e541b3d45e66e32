// Typed failures of a conversion. Each carries a complete message in Japanese (UTF-8) that the
// run shows to the user as it stands; the subclasses let callers and tests tell them apart.
#pragma once

#include <stdexcept>
#include <string>

namespace tavrimen {

class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file or folder operation failed. `path` is the path as the system names it (drive form).
class IoError : public ConversionError {
 public:
  IoError(std::string what_failed, std::string path, std::string reason);
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

// A source file or reference table whose content cannot be converted.
class DataError : public ConversionError {
 public:
  DataError(std::string problem, std::string path, std::string detail);
};

// A numeric field whose magnitude lies beyond single precision.
class NumberOverflowError : public ConversionError {
 public:
  explicit NumberOverflowError(std::string field_text);
  const std::string& field_text() const { return field_text_; }

 private:
  std::string field_text_;
};

// A message with its line breaks as blanks, for places that show one line a message.
std::string OnOneLine(std::string message);

// Runs `read`, turning a number overflow inside it into a DataError that names `path`.
template <typename Read>
auto NamingFileOnOverflow(const std::string& path, Read&& read) -> decltype(read()) {
  try {
    return read();
  } catch (const NumberOverflowError& e) {
    throw DataError("数値が大きすぎるため変換できません。", path, "「" + e.field_text() + "」");
  }
}

// The reason of a failed system call, in Japanese, from an errno value.
std::string ReasonFromErrno(int error_number);

}  // namespace tavrimen
