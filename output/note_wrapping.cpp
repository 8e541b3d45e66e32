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
  layer_note.assign(1, std::string());
  if (layer_pos[3] == kExhausted) return;
  LayerPosition position = ReadLayerRecord(3);
  if (position == kExhausted) {
    layer_pos[3] = kExhausted;
    layer_depth[3] = kNoDepth;
    return;
  }
  layer_depth[3] = Number(3, layer_field[kDepthField]);
  layer_depth_text[3] = layer_field[kDepthField];

  // The first record has a depth; the records after it with an empty or zero depth continue the
  // group. Each record ends its line; "\" and "￥" break a line and are not written.
  std::size_t n = 1;
  auto line = [&]() -> std::string& {
    if (layer_note.size() <= n) layer_note.resize(n + 1);
    return layer_note[n];
  };
  layer_field[kDepthField].clear();
  LayerPosition saved = position;
  while (Number(3, layer_field[kDepthField]) == 0 && position != kExhausted) {
    const std::string& note = layer_field[3];
    if (!note.empty()) {
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
    }
    saved = position;
    layer_pos[3] = saved;
    position = ReadLayerRecord(3);
  }
  note_line_count = static_cast<int>(n) - 1;
  layer_note.resize(n);
  layer_pos[3] = saved;
}

}  // namespace tavrimen
