// Code page 932 conversion through the Windows API.
#include <windows.h>

#include <algorithm>

#include "platform/cp932.h"

namespace tavrimen::cp932 {
namespace {

constexpr UINT kCodePage932 = 932;

std::wstring Widen(UINT code_page, std::string_view bytes, DWORD flags) {
  if (bytes.empty()) return {};
  const int length = MultiByteToWideChar(code_page, flags, bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, flags, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                      length);
  return wide;
}

std::string Narrow(UINT code_page, std::wstring_view wide, DWORD flags) {
  if (wide.empty()) return {};
  const int length = WideCharToMultiByte(
      code_page, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(code_page, flags, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                      length, nullptr, nullptr);
  return bytes;
}

}  // namespace

std::string FromUtf8(std::string_view utf8) {
  // Character by character, so that an invalid UTF-8 byte and a character without a code page
  // 932 form each become exactly one "?".
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(utf8[pos]));
    if (pos + length > utf8.size()) length = 1;
    const std::wstring wide = Widen(CP_UTF8, utf8.substr(pos, length), MB_ERR_INVALID_CHARS);
    BOOL used_default = FALSE;
    std::string bytes;
    if (!wide.empty()) {
      char buffer[8];
      const int n = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide.data(),
                                        static_cast<int>(wide.size()), buffer, sizeof buffer, "?",
                                        &used_default);
      if (n > 0 && !used_default) bytes.assign(buffer, static_cast<std::size_t>(n));
    }
    out += bytes.empty() ? std::string("?") : bytes;
    pos += wide.empty() ? 1 : length;
  }
  return out;
}

std::string ToUtf8(std::string_view bytes) {
  std::wstring wide;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = CharLength(bytes, pos);
    std::wstring ch = Widen(kCodePage932, bytes.substr(pos, length), MB_ERR_INVALID_CHARS);
    if (ch.empty() || (length == 1 && static_cast<unsigned char>(bytes[pos]) >= 0x80 &&
                       (static_cast<unsigned char>(bytes[pos]) < 0xA1 ||
                        static_cast<unsigned char>(bytes[pos]) > 0xDF))) {
      // The character cannot be decoded: one "?" for its first byte; the next byte is read again
      // on its own.
      wide += L'?';
      pos += 1;
      continue;
    }
    wide += ch;
    pos += length;
  }
  return Narrow(CP_UTF8, wide, 0);
}

char* DecodeUtf8(std::string_view bytes, char* out) {
  const std::string utf8 = ToUtf8(bytes);
  return std::copy(utf8.begin(), utf8.end(), out);
}

}  // namespace tavrimen::cp932
