// Comma-separated item input over the bytes of a file.
//
// An item ends at a comma or a line end (CR LF, a lone CR or a lone LF). Blanks (half-width
// spaces) before an item are skipped; an unquoted item keeps blanks after its text. Double quotes
// enclose an item that may hold commas and line ends; they are dropped, and whatever follows the
// closing quote up to the next comma or line end is skipped. A record is simply the next n items,
// whatever the line breaks.
//
// Line ends and end-of-file marks (0x1A) at the very end of a file are not data: blank lines after
// the last item hold no item, so reading "until the end" stops after the last real record. Reading
// at the end gives empty items. A blank line inside the data is one empty item.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrimen::platform {

// One item: a view into the bytes the reader reads, valid as long as they are.
struct Item {
  std::string_view text;  // without the quotes of a quoted item; line ends inside it kept
  bool quoted = false;    // a quoted item is text even when it looks like a number
  std::size_t start = 0;  // 1-based position of its first byte (after skipped blanks)
};

class ItemReader {
 public:
  // Reads `bytes` (the whole file) from the 1-based byte position `start`.
  explicit ItemReader(std::string_view bytes, std::size_t start = 1);

  // The length of a file's data: its bytes without trailing CR, LF and 0x1A.
  static std::size_t DataLength(std::string_view bytes);

  Item Next();
  // The next item's text, copied, for readers that keep it.
  std::string NextText() { return std::string(Next().text); }

  // The rest of the current line, up to a line end, which is consumed.
  std::string NextLine();

  bool AtEnd() const { return pos_ >= data_.size(); }

  // 1-based position of the first byte after what has been read.
  std::size_t Position() const { return pos_ + 1; }

 private:
  void SkipLineEnd();
  bool AtLineEnd() const { return data_[pos_] == '\r' || data_[pos_] == '\n'; }

  std::string_view data_;
  std::size_t pos_;
};

}  // namespace tavrimen::platform
