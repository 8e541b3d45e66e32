#include "platform/cp932.h"

namespace tavrimen::cp932 {

std::size_t CharCount(std::string_view bytes) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < bytes.size(); pos += CharLength(bytes, pos)) ++count;
  return count;
}

std::string_view CharSubstring(std::string_view bytes, std::size_t start, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t i = 0; i < start && pos < bytes.size(); ++i) pos += CharLength(bytes, pos);
  std::size_t end = pos;
  for (std::size_t i = 0; i < count && end < bytes.size(); ++i) end += CharLength(bytes, end);
  return bytes.substr(pos, end - pos);
}

}  // namespace tavrimen::cp932
