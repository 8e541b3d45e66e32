#include "output/layer_block.h"

#include "output/errors.h"
#include "source/record_lines.h"

namespace tavrimen {

void WriteLayerBlock(LayerCursor& layers, const Dictionaries& dictionaries, LineBuffer& lines) {
  using enum LayerSlot;
  // Every file at its first layer.
  for (LayerSlot slot : {kGeology, kSoil, kNotes, kSoilTexts}) layers.Advance(slot);

  while (!layers.Exhausted(kGeology)) {
    // Past the end of X3.txt its depth is the mark 9999: a deeper X1.txt layer would never end.
    if (layers.Exhausted(kSoil) && layers.Depth(kGeology) > kNoDepth) {
      throw UnplaceableDepthError(layers.DepthText(kGeology), layers.PathOf(kGeology));
    }
    const std::string name = KishituNameOf(dictionaries, layers.GeologyCode());
    // The soil layer ends here when the geology layer reaches at least as deep (both end here when
    // the depths are equal); otherwise the geology layer ends first and the soil layer goes on.
    const LayerSlot ending = layers.Depth(kGeology) >= layers.Depth(kSoil) ? kSoil : kGeology;
    const float bottom = layers.Depth(ending);
    const std::string depth_text = layers.DepthText(ending);
    if (layers.Depth(kGeology) <= layers.Depth(kSoil)) layers.Advance(kGeology);
    const std::string soil = layers.Soil();
    if (ending == kSoil) layers.Advance(kSoil);
    const std::string line = record::Compose(
        record::kLayerLine, {depth_text, name, soil, layers.Colour(), layers.Density()});
    // The colour and density follow the geology depth as it stands after this layer's step.
    if (layers.Depth(kGeology) >= layers.Depth(kSoilTexts)) layers.Advance(kSoilTexts);
    lines.Append(line);

    // The notes above the layer's bottom, a group at a time, its first line opened by its depth.
    while (bottom > layers.Depth(kNotes) && !layers.Exhausted(kNotes)) {
      const std::vector<std::string>& notes = layers.NoteLines();
      for (std::size_t j = 0; j < notes.size(); ++j) {
        lines.Append(j == 0 ? record::kNoteDepthOpen + layers.DepthText(kNotes) +
                                  record::kNoteDepthClose + notes[0]
                            : notes[j]);
      }
      layers.Advance(kNotes);
    }
    lines.Append(std::string(record::kEndLine));
  }
  lines.Append(std::string(record::kEndLine));
}

}  // namespace tavrimen
