// The cursor over the four layer files. Each file is a column of layers from the top down, a
// record a layer (of X12.txt a group of records a layer); a slot of the cursor stands at one layer
// of its file, the current one, and tells its bottom depth and what it says of the layer.
//
// A slot remembers the 1-based byte position of its next record in the file; a slot whose file
// has no further layer is exhausted, and its depth is then kNoDepth.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reference/dictionaries.h"
#include "source/record_file.h"
#include "source/record_files.h"

namespace tavrimen {

// The four layer files, a slot each.
enum class LayerSlot {
  kGeology = 1,   // X1.txt: the geology classification of each layer, a KISHITU code
  kSoil = 2,      // X3.txt: the soil of each layer, as L4 codes
  kNotes = 3,     // X12.txt: notes, a group of records at each depth
  kSoilTexts = 4  // X14.txt: the colour and density of each layer
};

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
  // Every slot stands before the first layer of its file. A file is read on its slot's first
  // step; a missing one is then created empty by the probe, and the slot is exhausted.
  LayerCursor(const Dictionaries& dictionaries, const DataFolder& source_folder)
      : dictionaries_(dictionaries), source_folder_(source_folder) {}
  // The slots keep their places in the files the cursor holds.
  LayerCursor(const LayerCursor&) = delete;
  LayerCursor& operator=(const LayerCursor&) = delete;

  // Moves the slot on to the next layer of its file (of X12.txt, the next group of note records)
  // and reads what it says; exhausts the slot when there is none. Does nothing once the slot is
  // exhausted. Throws IoError, or NumberOverflowError naming the file.
  void Advance(LayerSlot slot);

  // Whether the slot's file has no further layer.
  bool Exhausted(LayerSlot slot) const { return !SlotOf(slot).next; }
  // The bottom of the slot's current layer; kNoDepth once the slot is exhausted.
  float Depth(LayerSlot slot) const { return SlotOf(slot).depth; }
  // That depth as its record writes it (the last one read, once the slot is exhausted).
  const std::string& DepthText(LayerSlot slot) const { return SlotOf(slot).depth_text; }
  // The path of the slot's file, drive form.
  std::string PathOf(LayerSlot slot) const { return source_folder_.PathOf(LayoutOf(slot).name); }

  // The KISHITU code of the current geology layer; the last one read once the slot is exhausted.
  float GeologyCode() const { return geology_code_; }
  // The soil of the current soil layer: the L4 names of the codes in item 3 of its record, then
  // "～" and the names of those in item 5 when item 5 names any; "@" once the slot is exhausted.
  const std::string& Soil() const { return soil_; }
  // The colour and density of the current layer of slot 4: items 3 and 4 of its record, "@" when
  // blank, and "@" both once the slot is exhausted.
  const std::string& Colour() const { return colour_; }
  const std::string& Density() const { return density_; }
  // The notes of slot 3's current group, which stand at its depth, wrapped into lines of at most
  // kNoteLineBytes bytes (code page 932, as all the texts).
  const std::vector<std::string>& NoteLines() const { return note_lines_; }

 private:
  struct Slot {
    std::optional<RecordFile> file;       // read on the slot's first step
    std::optional<std::size_t> next = 1;  // the next record's position; none once exhausted
    float depth = 0;
    std::string depth_text;
  };

  // The description of the slot's file.
  static const RecordFileLayout& LayoutOf(LayerSlot slot);
  Slot& SlotOf(LayerSlot slot) { return slots_[static_cast<std::size_t>(slot) - 1]; }
  const Slot& SlotOf(LayerSlot slot) const { return slots_[static_cast<std::size_t>(slot) - 1]; }
  // The slot's file, read on first use.
  const RecordFile& FileOf(LayerSlot slot);
  // The record of the slot's file at `position` and the position after it; nothing when the
  // position has reached the end of the file's data.
  std::optional<std::pair<Record, std::size_t>> RecordAt(LayerSlot slot, std::size_t position);
  // Moves the slot past its next record and returns that record; exhausts the slot (depth
  // kNoDepth) and returns nothing when there is none.
  std::optional<Record> NextRecord(LayerSlot slot);
  // Takes the depth of the slot's current layer from its record.
  void ReadDepth(LayerSlot slot, const Record& record);

  void AdvanceLayerX1();
  void AdvanceLayerX3();
  void AdvanceLayerX12();
  void AdvanceLayerX14();

  const Dictionaries& dictionaries_;
  const DataFolder source_folder_;
  std::array<Slot, 4> slots_;
  float geology_code_ = 0;
  std::string soil_;
  std::string colour_;
  std::string density_;
  std::vector<std::string> note_lines_;
};

}  // namespace tavrimen
