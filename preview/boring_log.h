// A boring as its record file describes it, read back from the file's bytes: the picture of a
// boring is drawn from exactly what the record file holds.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrimen::preview {

// The texts of layers and intervals are views of the record file's bytes (code page 932): a
// picture converts only the texts it draws.
struct LogLayer {
  double top = 0;
  double bottom = 0;
  std::string_view geology;  // the geology class name, "@" when none
  std::string_view soil;
  std::string_view colour;
  std::size_t first_note = 0;  // its note lines in BoringLog::notes
  std::size_t note_count = 0;
};

struct LogPenetration {
  double depth = 0;
  std::optional<double> n;  // nothing for a test without a value ("-1" or no number)
};

struct LogInterval {
  double top = 0;
  double bottom = 0;
  std::string_view label;
};

// The title block's texts are UTF-8.
struct BoringLog {
  std::string project;
  std::string boring;
  std::string location;
  std::string elevation;
  std::string dates;
  std::string drilled;  // the depth the header states, as written; "@" when it states none
  double depth = 0;     // the header's depth, or what the blocks reach when that is deeper
  std::vector<LogLayer> layers;
  std::vector<std::string_view> notes;  // the note lines of every layer, in order
  std::span<const std::string_view> NotesOf(const LogLayer& layer) const {
    return std::span(notes).subspan(layer.first_note, layer.note_count);
  }
  std::vector<LogPenetration> penetrations;  // X5 lines
  std::vector<LogInterval> samples;          // X6 lines
  std::vector<LogInterval> tests;            // X11 lines
  std::vector<double> water_levels;          // the depths of the N8 lines with a value
};

// The log in a record file's bytes (code page 932, lines ending in CR LF), which must outlive
// it. Whatever the bytes, a log comes back: lines that do not read as their block expects are
// left out.
BoringLog ReadBoringLog(std::string_view record_file);
// The same, read into `log`: a log kept for the next record file keeps the room of its lists.
void ReadBoringLog(std::string_view record_file, BoringLog& log);

// A depth or value field as a number; nothing for "9999", "-1" and text that is no number.
std::optional<double> FieldNumber(std::string_view field);

}  // namespace tavrimen::preview
