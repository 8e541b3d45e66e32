// Failures of output generation.
#pragma once

#include <string>

#include "platform/errors.h"

namespace tavrimen {

// The data set needs more lines than the record file holds.
class LineLimitError : public ConversionError {
 public:
  LineLimitError() : ConversionError("more than 1000 record lines") {}
};

// A layer of X1.txt deeper than the mark that ends the layer merge (9999 m): once X3.txt has no
// more layers, no line could ever place it. `depth_text` is the file's text, `path` the file.
class UnplaceableDepthError : public ConversionError {
 public:
  UnplaceableDepthError(std::string depth_text, std::string path)
      : ConversionError("layer depth beyond 9999: " + depth_text),
        depth_text_(std::move(depth_text)),
        path_(std::move(path)) {}
  const std::string& depth_text() const { return depth_text_; }
  const std::string& path() const { return path_; }

 private:
  std::string depth_text_;
  std::string path_;
};

}  // namespace tavrimen
