// A boring as its record file describes it, read back from the file's bytes by the descriptions
// of its lines (source/record_lines.h): the picture of a boring is drawn from exactly what the
// record file holds, block by block.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "source/record_lines.h"

namespace tavrimen::preview {

// A number field: its text as written (code page 932) and the finite number it writes, if any.
// The field's no-value mark, an empty text and text that is no number have no value.
struct Number {
  std::string_view text;
  std::optional<double> value;
};
// A number field read with its no-value mark.
Number NumberOf(std::string_view text, std::string_view no_value);
// The finite number a text writes (a depth may be written ".50"); nothing for other text.
std::optional<double> FieldNumber(std::string_view text);

// The texts are views of the record file's bytes (code page 932), no-value marks included.
struct LogLayer {
  Number bottom;
  std::string_view geology;  // the geology class name
  std::string_view soil;
  std::string_view colour;
  std::string_view density;    // relative density or consistency
  std::size_t first_note = 0;  // its note lines in BoringLog::notes
  std::size_t note_count = 0;
};

// A standard penetration test: its fields by record::x5.
struct LogPenetration {
  std::array<std::string_view, record::x5::kFieldCount> fields;
  Number depth;
  Number n_value;
};

struct LogSample {
  Number top;
  Number bottom;
  std::string_view number;
  std::string_view kind;
  std::string_view sampler;  // its 1400 line's text; empty when it has none
};

// An interval with a name: an in-hole condition, or an in-situ test with its result.
struct LogInterval {
  Number top;
  Number bottom;
  std::string_view name;
  std::string_view result;  // in-situ tests only
};

// A dated value: a water level, or a dated depth (the drilling progress).
struct LogDated {
  Number depth;
  std::string_view month;
  std::string_view day;
};

struct BoringLog {
  // Lines 1 to 21 (index 0 unused); empty where the file ends before.
  std::array<std::string_view, record::header::kFirstBlockLine> header{};
  std::string_view boring_number;  // of the first 1100 line
  std::vector<LogLayer> layers;
  std::vector<std::string_view> notes;  // the note lines of every layer, in order
  std::span<const std::string_view> NotesOf(const LogLayer& layer) const {
    return std::span(notes).subspan(layer.first_note, layer.note_count);
  }
  std::vector<LogPenetration> penetrations;  // X5 lines
  std::vector<LogSample> samples;            // X6 lines with their 1400 lines
  std::vector<LogInterval> conditions;       // X11 lines
  std::vector<LogDated> water_levels;        // N8 lines
  std::vector<LogDated> progress;            // 1200 lines
  std::vector<LogInterval> tests;            // 1300 lines
  // 1400 lines beyond the samples, 1100 lines other than the fixed ones, and lines that belong to
  // no block: nothing is dropped.
  std::vector<std::string_view> other_lines;
};

// The log in a record file's bytes (code page 932, lines ending in CR LF), which must outlive
// it. Whatever the bytes, a log comes back.
BoringLog ReadBoringLog(std::string_view record_file);
// The same, read into `log`: a log kept for the next record file keeps the room of its lists.
void ReadBoringLog(std::string_view record_file, BoringLog& log);

}  // namespace tavrimen::preview
