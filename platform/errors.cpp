#include "platform/errors.h"

namespace tavrimen {

IoError::IoError(FileOperation operation, std::string path, std::error_code error)
    : ConversionError(path + ": " + error.message()),
      operation_(operation),
      path_(std::move(path)),
      error_(error) {}

const std::error_category& FileRefusalCategory() {
  class Category : public std::error_category {
   public:
    const char* name() const noexcept override { return "file refusal"; }
    std::string message(int value) const override {
      return value == static_cast<int>(FileRefusal::kTooLarge) ? "file too large"
                                                               : "not a regular file";
    }
  };
  static const Category category;
  return category;
}

NumberOverflowError::NumberOverflowError(std::string field_text, std::string path)
    : ConversionError("number too large: " + field_text + (path.empty() ? "" : " in " + path)),
      field_text_(std::move(field_text)),
      path_(std::move(path)) {}

}  // namespace tavrimen
