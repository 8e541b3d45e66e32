// The record cursor over the four layer files and the steps that advance each layer slot:
// slot 1 X1.txt (geology code), slot 2 X3.txt (soil names), slot 3 X12.txt (notes, wrapped into
// lines of 70 bytes), slot 4 X14.txt (two further soil texts).
//
// A slot remembers the 1-based byte position of its next record; the cursor reads one record from
// there. A slot whose file is exhausted has no position (kExhausted) and depth kNoDepth.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reference/dictionaries.h"
#include "source/catalogue.h"
#include "source/record_file.h"
#include "source/record_files.h"

namespace tavrimen {

// The 1-based byte position of a slot's next record; none once its file is exhausted.
using LayerPosition = std::optional<std::size_t>;
inline constexpr std::nullopt_t kExhausted = std::nullopt;
inline constexpr float kNoDepth = 9999;
inline constexpr int kNoteLineBytes = 70;
// The field of a layer record that holds its depth: the same item in all four layer files.
inline constexpr int kDepthField = kX1File.depth_item;
static_assert(kX3File.depth_item == kDepthField && kX12File.depth_item == kDepthField &&
              kX14File.depth_item == kDepthField);

// The up to three two-character L4 codes written side by side in an X3 item (shorter or empty
// texts past its end).
std::array<std::string, 3> TwoCharacterCodes(std::string_view codes);

class LayerCursor {
 public:
  LayerCursor(const Dictionaries& dictionaries, const DataFolder& source_folder)
      : dictionaries_(dictionaries), source_folder_(source_folder) {}

  // Reads the next record of `slot` from layer_pos[slot] into layer_field and returns the
  // position after it, or kExhausted (with layer_field(1..clear count) emptied) when the position
  // has reached the end of the file's data. A missing layer file is created empty by the probe.
  LayerPosition ReadLayerRecord(int slot);

  void AdvanceLayerX1();
  void AdvanceLayerX3();
  void AdvanceLayerX12();
  void AdvanceLayerX14();

  // Slots 1 to 4; index 0 unused. Code page 932 texts.
  std::array<LayerPosition, 5> layer_pos{};
  std::array<float, 5> layer_depth{};
  std::array<std::string, 5> layer_depth_text;
  std::array<std::string, 201> layer_field;
  float layer_kishitu_code = 0;
  // The soil texts of the current layers of slots 2 and 4.
  struct SoilTexts {
    std::string first_names;   // the L4 names of the codes in item 3 of the X3 record
    std::string second_names;  // the L4 names of the codes in item 5
    std::string soil;          // the first names, or "first～second" when item 5 names any
    std::string x14_first;     // item 3 of the X14 record, "@" when blank
    std::string x14_second;    // item 4 of the X14 record, "@" when blank
  } layer_soil_text;
  // The wrapped lines of the current note group, layer_note[1] to layer_note[note_line_count].
  std::vector<std::string> layer_note;
  int note_line_count = 0;

  // The path of `slot`'s file, drive form.
  std::string PathOf(int slot) const { return source_folder_.PathOf(kCatalogue.layer_file[slot]); }

 private:
  // The data of `slot`'s file: its bytes without the line ends and end marks that follow them.
  std::string_view FileData(int slot);
  // NumberFromText of a field of `slot`'s file; an overflow names the file.
  float Number(int slot, const std::string& text) const;

  const Dictionaries& dictionaries_;
  const DataFolder source_folder_;
  std::array<std::optional<std::string>, 5> file_bytes_;
};

}  // namespace tavrimen
