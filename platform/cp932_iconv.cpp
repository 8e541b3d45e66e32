#include <iconv.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>
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

// What iconv makes of each character, kept so that each character is asked for only once:
// decoding through the table takes half the time iconv takes. Code page 932 is stateless, so a
// character decodes the same wherever it stands. The bytes that decode alone are asked for at
// once, the pairs that start with any other byte when that byte is first met before another.
class DecodingTable {
 public:
  struct Decoded {
    std::uint8_t used = 0;  // the code page 932 bytes taken; 0 when they start no character
    std::uint8_t size = 0;  // the UTF-8 bytes
    char utf8[6] = {};
  };

  DecodingTable() {
    for (int first = 0; first < 256; ++first) singles_[first] = Ask({static_cast<char>(first)}, 1);
    for (int first = 0; first < 0x80; ++first) {
      ascii_unchanged_ = ascii_unchanged_ && singles_[first].used == 1 &&
                         singles_[first].size == 1 && singles_[first].utf8[0] == first;
    }
  }

  // Writes the UTF-8 of `bytes` to `out`, which has room for three bytes a byte and for one
  // entry more, and returns the end of what it wrote.
  char* Decode(std::string_view bytes, char* out) {
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = at + bytes.size();
    while (at < end) {
      // Runs of ASCII, most of a record file, are copied without the table where it holds them
      // unchanged.
      if (ascii_unchanged_) {
        while (at < end && *at < 0x80) *out++ = static_cast<char>(*at++);
        if (at == end) break;
      }
      const Decoded* decoded = &singles_[*at];
      if (decoded->used == 0 && at + 1 < end) {
        if (!filled_[*at].load(std::memory_order_acquire)) Fill(*at);
        decoded = &pairs_[*at][at[1]];
      }
      if (decoded->used == 0) {
        // No character starts here: one "?" for this byte, and the next byte is tried again on
        // its own.
        *out++ = '?';
        ++at;
        continue;
      }
      std::memcpy(out, decoded->utf8, sizeof decoded->utf8);
      out += decoded->size;
      at += decoded->used;
    }
    return out;
  }

 private:
  [[gnu::noinline]] void Fill(unsigned char first) {
    std::lock_guard lock(filling_);
    if (filled_[first].load(std::memory_order_relaxed)) return;
    for (int second = 0; second < 256; ++second) {
      pairs_[first][second] = Ask({static_cast<char>(first), static_cast<char>(second)}, 2);
    }
    filled_[first].store(true, std::memory_order_release);
  }

  static Decoded Ask(std::array<char, 2> bytes, std::size_t count) {
    std::string out;
    Decoded decoded;
    decoded.used =
        static_cast<std::uint8_t>(Decoder().Convert(std::string_view(bytes.data(), count), out));
    // A character never needs more than three UTF-8 bytes a byte; were it ever more, the table
    // would say no character rather than overrun the room ToUtf8 makes.
    if (decoded.used == 0 || out.size() > 3 * decoded.used || out.size() > sizeof decoded.utf8) {
      return {};
    }
    decoded.size = static_cast<std::uint8_t>(out.size());
    out.copy(decoded.utf8, out.size());
    return decoded;
  }

  std::array<Decoded, 256> singles_;
  bool ascii_unchanged_ = true;
  std::mutex filling_;
  std::array<std::atomic<bool>, 256> filled_{};
  std::array<std::array<Decoded, 256>, 256> pairs_;
};

DecodingTable& Table() {
  static DecodingTable table;
  return table;
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
  std::string out(Utf8Room(bytes.size()), '\0');
  out.resize(static_cast<std::size_t>(DecodeUtf8(bytes, out.data()) - out.data()));
  return out;
}

char* DecodeUtf8(std::string_view bytes, char* out) {
  static_assert(Utf8Room(0) >= sizeof DecodingTable::Decoded::utf8);
  return Table().Decode(bytes, out);
}

}  // namespace tavrimen::cp932
