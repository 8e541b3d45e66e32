#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "platform/cp932.h"

namespace tavrimen::cp932 {
namespace {

// One iconv descriptor per direction and thread, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much of `in` as possible, appending to `out`. Returns the number of input bytes
  // consumed; stops at the first byte sequence that cannot be converted.
  std::size_t Convert(std::string_view in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in_ptr = const_cast<char*>(in.data());
    std::size_t in_left = in.size();
    char buffer[8192];
    while (in_left > 0) {
      char* out_ptr = buffer;
      std::size_t out_left = sizeof buffer;
      std::size_t result = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
      out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) break;
    }
    // Flush any shift state.
    char* out_ptr = buffer;
    std::size_t out_left = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &out_ptr, &out_left);
    out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
    return in.size() - in_left;
  }

 private:
  iconv_t cd_;
};

Converter& Encoder() {
  thread_local Converter converter("CP932", "UTF-8");
  return converter;
}

Converter& Decoder() {
  thread_local Converter converter("UTF-8", "CP932");
  return converter;
}

}  // namespace

std::string FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    std::size_t used = Encoder().Convert(utf8, out);
    utf8.remove_prefix(used);
    if (utf8.empty()) break;
    out.push_back('?');
    std::size_t skip = Utf8SequenceLength(static_cast<unsigned char>(utf8.front()));
    utf8.remove_prefix(skip < utf8.size() ? skip : utf8.size());
  }
  return out;
}

std::string ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  while (!bytes.empty()) {
    std::size_t used = Decoder().Convert(bytes, out);
    bytes.remove_prefix(used);
    if (bytes.empty()) break;
    // The character at the front cannot be decoded: one "?" for its first byte, and the next
    // byte is tried again on its own.
    out.push_back('?');
    bytes.remove_prefix(1);
  }
  return out;
}

}  // namespace tavrimen::cp932
