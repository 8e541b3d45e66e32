#include "output/layer_cursor.h"

#include "platform/cp932.h"
#include "platform/errors.h"
#include "platform/item_reader.h"
#include "reference/text_helpers.h"
#include "source/record_file.h"

namespace tavrimen {

std::array<std::string, 3> TwoCharacterCodes(std::string_view codes) {
  return {std::string(cp932::CharSubstring(codes, 0, 2)),
          std::string(cp932::CharSubstring(codes, 2, 2)),
          std::string(cp932::CharSubstring(codes, 4, 2))};
}

std::string_view LayerCursor::FileData(int slot) {
  // The files do not change during a run: each is probed and read once, and its data length
  // found once.
  std::optional<std::string>& bytes = file_bytes_[static_cast<std::size_t>(slot)];
  if (!bytes) {
    // Read record by record from a remembered position, so by bytes rather than as records.
    static constexpr const RecordFileLayout* kLayers[] = {nullptr, &kX1File, &kX3File, &kX12File,
                                                          &kX14File};
    bytes = RecordFile::ReadBytes(source_folder_, *kLayers[slot]).value_or(std::string());
    bytes->resize(platform::ItemReader::DataLength(*bytes));
  }
  return *bytes;
}

float LayerCursor::Number(int slot, const std::string& text) const {
  try {
    return NumberFromText(text);
  } catch (const NumberOverflowError&) {
    // The file is named only when the number fails.
    return NumberInFile(text, PathOf(slot));
  }
}

LayerPosition LayerCursor::ReadLayerRecord(int slot) {
  const LayerPosition position = layer_pos[slot];
  const std::string_view data = FileData(slot);
  if (!position || *position >= data.size()) {
    for (int f = 1; f <= kCatalogue.layer_clear_count[slot]; ++f) layer_field[f].clear();
    return kExhausted;
  }
  platform::ItemReader reader(data, *position);
  for (int f = 1; f <= kCatalogue.layer_read_count[slot]; ++f) layer_field[f] = reader.NextText();
  if (slot == 1) {
    for (int f = kCatalogue.layer_read_count[1] + 1; f <= kCatalogue.layer_clear_count[1]; ++f) {
      layer_field[f].clear();
    }
  }
  return reader.Position();
}

void LayerCursor::AdvanceLayerX1() {
  if (layer_pos[1] == kExhausted) return;
  layer_pos[1] = ReadLayerRecord(1);
  if (layer_pos[1] == kExhausted) {
    layer_depth[1] = kNoDepth;
    return;
  }
  layer_depth[1] = Number(1, layer_field[kDepthField]);
  layer_depth_text[1] = layer_field[kDepthField];
  layer_kishitu_code = Number(1, layer_field[3]);
}

void LayerCursor::AdvanceLayerX3() {
  if (layer_pos[2] == kExhausted) return;
  layer_pos[2] = ReadLayerRecord(2);
  if (layer_pos[2] == kExhausted) {
    layer_depth[2] = kNoDepth;
    layer_soil_text.soil = "@";
    return;
  }
  // Up to three two-digit L4 codes side by side. A code outside the table (above 100) is
  // skipped as if it were not there.
  auto names_of = [&](const std::string& codes, int& count) {
    std::string names;
    for (const std::string& code_text : TwoCharacterCodes(codes)) {
      const float code = Number(2, code_text);
      if (code == 0) continue;
      const auto name = L4NameOf(dictionaries_, code);
      if (!name) continue;
      names += *name;
      ++count;
    }
    return names;
  };
  int unused = 0;
  int second_count = 0;
  SoilTexts& texts = layer_soil_text;
  texts.first_names = names_of(layer_field[3], unused);
  texts.second_names = names_of(layer_field[5], second_count);
  static const std::string kWaveDash = cp932::FromUtf8("～");
  texts.soil =
      second_count != 0 ? texts.first_names + kWaveDash + texts.second_names : texts.first_names;
  layer_depth[2] = Number(2, layer_field[kDepthField]);
  layer_depth_text[2] = layer_field[kDepthField];
}

void LayerCursor::AdvanceLayerX14() {
  layer_soil_text.x14_first = "@";
  layer_soil_text.x14_second = "@";
  if (layer_pos[4] == kExhausted) return;
  layer_pos[4] = ReadLayerRecord(4);
  if (layer_pos[4] == kExhausted) {
    layer_depth[4] = kNoDepth;
    return;
  }
  if (!Trim(layer_field[3]).empty()) layer_soil_text.x14_first = layer_field[3];
  if (!Trim(layer_field[4]).empty()) layer_soil_text.x14_second = layer_field[4];
  layer_depth[4] = Number(4, layer_field[kDepthField]);
  layer_depth_text[4] = layer_field[kDepthField];
}

}  // namespace tavrimen
