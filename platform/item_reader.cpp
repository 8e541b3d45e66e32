#include "platform/item_reader.h"

namespace tavrimen::platform {

ItemReader::ItemReader(std::string_view bytes, std::size_t start)
    : data_(bytes.substr(0, DataLength(bytes))), pos_(start > 0 ? start - 1 : 0) {}

std::size_t ItemReader::DataLength(std::string_view bytes) {
  std::size_t length = bytes.size();
  while (length > 0) {
    char c = bytes[length - 1];
    if (c != '\r' && c != '\n' && c != '\x1a') break;
    --length;
  }
  return length;
}

void ItemReader::SkipLineEnd() {
  if (data_[pos_] == '\r') {
    ++pos_;
    if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
  } else {
    ++pos_;
  }
}

Item ItemReader::Next() {
  Item item;
  while (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;
  item.start = pos_ + 1;
  if (pos_ >= data_.size()) return item;
  if (data_[pos_] == '"') {
    item.quoted = true;
    std::size_t close = data_.find('"', pos_ + 1);
    if (close == std::string_view::npos) close = data_.size();
    item.text = data_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close < data_.size() ? close + 1 : close;
  } else {
    std::size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != ',' && !AtLineEnd()) ++pos_;
    item.text = data_.substr(start, pos_ - start);
  }
  // Skip what is left up to the delimiter, then the delimiter itself.
  while (pos_ < data_.size() && data_[pos_] != ',' && !AtLineEnd()) ++pos_;
  if (pos_ < data_.size()) {
    if (data_[pos_] == ',') {
      ++pos_;
    } else {
      SkipLineEnd();
    }
  }
  return item;
}

std::string ItemReader::NextLine() {
  std::size_t start = pos_;
  while (pos_ < data_.size() && !AtLineEnd()) ++pos_;
  std::string line(data_.substr(start, pos_ - start));
  if (pos_ < data_.size()) SkipLineEnd();
  return line;
}

}  // namespace tavrimen::platform
