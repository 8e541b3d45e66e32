// The step of slot 3: one whole note group of X12.txt, wrapped into lines.
#include "output/layer_cursor.h"
#include "platform/cp932.h"
#include "reference/text_helpers.h"

namespace tavrimen {
namespace {

bool IsBreak(std::string_view ch) {
  static const std::string kYenSign = cp932::FromUtf8("￥");
  return ch == "\\" || ch == kYenSign;
}

}  // namespace

void LayerCursor::AdvanceLayerX12() {
  note_lines_.clear();
  std::optional<Record> record = NextRecord(LayerSlot::kNotes);
  if (!record) return;
  ReadDepth(LayerSlot::kNotes, *record);

  // Each record's note ends its line; "\" and "￥" break a line and are not written.
  std::size_t n = 0;  // the line being filled
  auto line = [&]() -> std::string& {
    if (note_lines_.size() <= n) note_lines_.resize(n + 1);
    return note_lines_[n];
  };
  auto add_note = [&](std::string_view note) {
    if (note.empty()) return;
    std::string_view last;
    for (std::string_view ch : cp932::Chars(note)) {
      last = ch;
      if (IsBreak(ch)) {
        ++n;
        continue;
      }
      if (ByteLength(line()) + ByteLength(ch) > kNoteLineBytes) ++n;
      line() += ch;
    }
    if (!IsBreak(last)) ++n;
  };
  // The records after the first with an empty or zero depth continue the group; the record that
  // ends it is the first of the next step.
  Slot& slot = SlotOf(LayerSlot::kNotes);
  const RecordFile& file = FileOf(LayerSlot::kNotes);
  for (;;) {
    add_note((*record)[3]);
    auto read = RecordAt(LayerSlot::kNotes, *slot.next);
    if (!read || file.Number(read->first[kDepthField]) != 0) break;
    slot.next = read->second;
    *record = std::move(read->first);
  }
  // The line being filled is empty.
  note_lines_.resize(n);
}

}  // namespace tavrimen
