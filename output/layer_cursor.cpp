#include "output/layer_cursor.h"

#include "platform/cp932.h"
#include "reference/text_helpers.h"
#include "source/record_file.h"

namespace tavrimen {

std::array<std::string, 3> TwoCharacterCodes(std::string_view codes) {
  return {std::string(cp932::CharSubstring(codes, 0, 2)),
          std::string(cp932::CharSubstring(codes, 2, 2)),
          std::string(cp932::CharSubstring(codes, 4, 2))};
}

const RecordFileLayout& LayerCursor::LayoutOf(LayerSlot slot) {
  static constexpr const RecordFileLayout* kLayers[] = {&kX1File, &kX3File, &kX12File, &kX14File};
  return *kLayers[static_cast<std::size_t>(slot) - 1];
}

const RecordFile& LayerCursor::FileOf(LayerSlot slot) {
  // The files do not change during a run: each is probed and read once.
  std::optional<RecordFile>& file = SlotOf(slot).file;
  if (!file) file = RecordFile::OpenOrEmpty(source_folder_, LayoutOf(slot));
  return *file;
}

std::optional<std::pair<Record, std::size_t>> LayerCursor::RecordAt(LayerSlot slot,
                                                                    std::size_t position) {
  const RecordFile& file = FileOf(slot);
  // The slot ends once its position reaches the last byte of the data: a single byte left is no
  // record.
  if (position >= file.data_length()) return std::nullopt;
  return file.RecordAt(position);
}

std::optional<Record> LayerCursor::NextRecord(LayerSlot slot) {
  Slot& s = SlotOf(slot);
  if (!s.next) return std::nullopt;
  auto read = RecordAt(slot, *s.next);
  if (!read) {
    s.next.reset();
    s.depth = kNoDepth;
    return std::nullopt;
  }
  s.next = read->second;
  return std::move(read->first);
}

void LayerCursor::ReadDepth(LayerSlot slot, const Record& record) {
  Slot& s = SlotOf(slot);
  s.depth = FileOf(slot).Number(record[kDepthField]);
  s.depth_text = record[kDepthField];
}

void LayerCursor::Advance(LayerSlot slot) {
  switch (slot) {
    case LayerSlot::kGeology:
      return AdvanceLayerX1();
    case LayerSlot::kSoil:
      return AdvanceLayerX3();
    case LayerSlot::kNotes:
      return AdvanceLayerX12();
    case LayerSlot::kSoilTexts:
      return AdvanceLayerX14();
  }
}

void LayerCursor::AdvanceLayerX1() {
  const auto record = NextRecord(LayerSlot::kGeology);
  if (!record) return;
  ReadDepth(LayerSlot::kGeology, *record);
  geology_code_ = FileOf(LayerSlot::kGeology).Number((*record)[3]);
}

void LayerCursor::AdvanceLayerX3() {
  const auto record = NextRecord(LayerSlot::kSoil);
  if (!record) {
    soil_ = "@";
    return;
  }
  const RecordFile& file = FileOf(LayerSlot::kSoil);
  // Up to three two-digit L4 codes side by side. A code outside the table (above 100) is
  // skipped as if it were not there.
  auto names_of = [&](std::string_view codes, int& count) {
    std::string names;
    for (const std::string& code_text : TwoCharacterCodes(codes)) {
      const float code = file.Number(code_text);
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
  const std::string first_names = names_of((*record)[3], unused);
  const std::string second_names = names_of((*record)[5], second_count);
  static const std::string kWaveDash = cp932::FromUtf8("～");
  soil_ = second_count != 0 ? first_names + kWaveDash + second_names : first_names;
  ReadDepth(LayerSlot::kSoil, *record);
}

void LayerCursor::AdvanceLayerX14() {
  colour_ = "@";
  density_ = "@";
  const auto record = NextRecord(LayerSlot::kSoilTexts);
  if (!record) return;
  if (!Trim((*record)[3]).empty()) colour_ = (*record)[3];
  if (!Trim((*record)[4]).empty()) density_ = (*record)[4];
  ReadDepth(LayerSlot::kSoilTexts, *record);
}

}  // namespace tavrimen
