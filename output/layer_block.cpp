#include "output/layer_block.h"

#include "output/errors.h"
#include "source/record_lines.h"

namespace tavrimen {

void WriteLayerBlock(LayerCursor& cursor, const Dictionaries& dictionaries, LineBuffer& lines) {
  LayerCursor& c = cursor;
  for (int slot = 1; slot <= 4; ++slot) c.layer_pos[slot] = 1;
  c.AdvanceLayerX1();
  c.AdvanceLayerX3();
  c.AdvanceLayerX12();
  c.AdvanceLayerX14();

  while (c.layer_pos[1] != kExhausted) {
    // Past the end of X3.txt its depth is the mark 9999: a deeper X1.txt layer would never end.
    if (c.layer_pos[2] == kExhausted && c.layer_depth[1] > kNoDepth) {
      throw UnplaceableDepthError(c.layer_depth_text[1], c.PathOf(1));
    }
    const std::string name = KishituNameOf(dictionaries, c.layer_kishitu_code);
    // Slot 2 ends here when slot 1 reaches at least as deep (both end here when the depths are
    // equal); otherwise slot 1 ends first and slot 2 is not advanced.
    const int ending = c.layer_depth[1] >= c.layer_depth[2] ? 2 : 1;
    const float bottom = c.layer_depth[ending];
    const std::string depth_text = c.layer_depth_text[ending];
    if (c.layer_depth[1] <= c.layer_depth[2]) c.AdvanceLayerX1();
    const std::string soil = c.layer_soil_text.soil;
    if (ending == 2) c.AdvanceLayerX3();
    const std::string line = record::Compose(
        record::kLayerLine,
        {depth_text, name, soil, c.layer_soil_text.x14_first, c.layer_soil_text.x14_second});
    // Slot 4 follows slot 1's depth as it stands after this layer's step.
    if (c.layer_depth[1] >= c.layer_depth[4]) c.AdvanceLayerX14();
    lines.Append(line);

    while (bottom > c.layer_depth[3] && c.layer_pos[3] != kExhausted) {
      for (int j = 1; j <= c.note_line_count; ++j) {
        lines.Append(j == 1 ? record::kNoteDepthOpen + c.layer_depth_text[3] +
                                  record::kNoteDepthClose + c.layer_note[1]
                            : c.layer_note[static_cast<std::size_t>(j)]);
      }
      c.AdvanceLayerX12();
    }
    lines.Append(std::string(record::kEndLine));
  }
  lines.Append(std::string(record::kEndLine));
}

}  // namespace tavrimen
