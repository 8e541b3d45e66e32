// What each line of a record file holds, written down once: the header readers and the blocks
// compose their lines from these descriptions, and the pictures read the lines back by them. A
// record file is, in this order: the header line, the header area (lines 2 to 20), the
// soil-pattern line, the layer block, the X5, X6, X11 and N8 blocks (each ended by a line "-1"),
// five 1100 lines, then the 1200, 1300 and 1400 lines.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tavrimen::record {

// The marks that stand for no value.
inline constexpr std::string_view kNoText = "@";         // a name, code or text
inline constexpr std::string_view kNoNumber = "-1";      // an optional number, a month or day
inline constexpr std::string_view kNoDepth = "9999";     // a depth or measured value
inline constexpr std::string_view kNoElevation = "999";  // the elevation of the header area
// A line of its own that ends a layer, and then the layer block, and each of the blocks X5 to N8.
inline constexpr std::string_view kEndLine = "-1";

inline constexpr std::string_view kHeaderLine = "TPJ Ge201";

// Lines of the header area.
namespace header {
inline constexpr int kProject = 2;
inline constexpr int kBoringName = 4;
inline constexpr int kUnfilled = 3;  // no field of the title files reaches it: the mark "@"
inline constexpr int kUnused = 5;    // always the mark "@"
inline constexpr int kWork = 6;    // the works the survey serves
inline constexpr int kLocation = 7;
inline constexpr int kLatitude = 8;   // degrees minutes seconds
inline constexpr int kLongitude = 9;  // degrees minutes seconds
inline constexpr int kClient = 10;
inline constexpr int kPeriod = 11;  // "西暦 " then start and end as year month day
inline constexpr int kCompany = 12;
inline constexpr int kElevation = 13;  // the mark "999" for none
inline constexpr int kEngineers = 14;  // four names
inline constexpr int kAngles = 15;     // angle, direction and slope figures
inline constexpr int kMachineFirst = 16;
inline constexpr int kMachineMethod = 17;  // looked up in L2.TXT
inline constexpr int kMachineLast = 19;
inline constexpr int kDrilled = 20;  // the drilled length, then kDrilledTail
inline constexpr int kSoilPattern = 21;
// The first line of the blocks.
inline constexpr int kFirstBlockLine = 22;
inline constexpr std::string_view kPeriodPrefix = "西暦 ";  // UTF-8; code page 932 in the file
inline constexpr std::string_view kDrilledTail = " -1 -1";
}  // namespace header

// One field of a line: the mark that stands for no value in it, and whether a writer puts that
// mark for an empty value (otherwise an empty value is written empty, as read).
struct Field {
  std::string_view no_value;
  bool empty_written_as_mark = true;
};

// The fields of a line after its code (if any), separated by single blanks. One field, the free
// one, is a text that may itself hold blanks: a line is split from both ends towards it.
template <std::size_t N>
struct LineLayout {
  std::string_view code;  // "1200 " and the like; empty for lines without a code
  std::array<Field, N> fields;
  std::size_t free_field = N - 1;
  bool trailing_blank = false;  // every field, the last too, is followed by one blank
};

// The layer line, then its note lines, then kEndLine; a kEndLine after the last layer's ends the
// block.
namespace layer {
enum : std::size_t { kBottom, kGeology, kSoil, kColour, kDensity, kFieldCount };
}
inline constexpr LineLayout<layer::kFieldCount> kLayerLine{
    .code = "",
    .fields = {{{"", false}, {kNoText}, {kNoText, false}, {kNoText}, {kNoText}}},
    .trailing_blank = true};
// A layer's first note line opens with its top depth in brackets; the lines after it continue it.
inline constexpr char kNoteDepthOpen = '[';
inline constexpr char kNoteDepthClose = ']';

// A standard penetration test.
namespace x5 {
enum : std::size_t {
  kNumber,  // the whole metres of the depth, as read
  kDepth,
  kNValue,
  kBlows1,  // blows in the three 10 cm steps
  kBlows2,
  kBlows3,
  kPenetration,  // total penetration, cm
  kLast,
  kFieldCount
};
}
inline constexpr LineLayout<x5::kFieldCount> kX5Line{.code = "",
                                                     .fields = {{{"", false},
                                                                 {kNoDepth, false},
                                                                 {kNoNumber},
                                                                 {kNoNumber},
                                                                 {kNoNumber},
                                                                 {kNoNumber},
                                                                 {kNoNumber},
                                                                 {kNoNumber}}},
                                                     .free_field = x5::kNumber};

// A sample: its interval, number and kind letter (T, D, F or A).
namespace x6 {
enum : std::size_t { kTop, kBottom, kNumber, kKind, kFieldCount };
}
inline constexpr LineLayout<x6::kFieldCount> kX6Line{
    .code = "", .fields = {{{kNoDepth}, {kNoDepth}, {kNoText}, {""}}}, .free_field = x6::kNumber};

// An interval of an in-hole condition.
namespace x11 {
enum : std::size_t { kTop, kBottom, kName, kFieldCount };
}
inline constexpr LineLayout<x11::kFieldCount> kX11Line{
    .code = "", .fields = {{{kNoDepth, false}, {kNoDepth}, {kNoText}}}};

// A dated value: a water level (N8 block) or, with the code 1200, a dated depth.
namespace dated {
enum : std::size_t { kValue, kMonth, kDay, kFieldCount };
}
inline constexpr LineLayout<dated::kFieldCount> kN8Line{
    .code = "", .fields = {{{kNoDepth}, {kNoNumber}, {kNoNumber}}}, .free_field = dated::kValue};
inline constexpr LineLayout<dated::kFieldCount> k1200Line{
    .code = "1200 ", .fields = kN8Line.fields, .free_field = dated::kValue};

// The five fixed lines after the N8 block; the first carries the boring number.
inline constexpr std::array<std::string_view, 5> k1100Lines = {
    "1100 b_no ", "1100 s_no @", "1100 minw -1", "1100 org @", "1100 mod @"};

// An in-situ test: its interval, its name and its result.
namespace test {
enum : std::size_t { kTop, kBottom, kName, kResult, kFieldCount };
}
inline constexpr LineLayout<test::kFieldCount> k1300Line{
    .code = "1300 ", .fields = {{{kNoDepth}, {kNoDepth}, {kNoText}, {kNoText}}}};

// The sampler and test names of the X6 line of the same place in order.
inline constexpr LineLayout<1> k1400Line{.code = "1400 ", .fields = {{{kNoText}}}};

// The line of `values`, each empty one written as its field's mark where the layout says so.
template <std::size_t N>
std::string Compose(const LineLayout<N>& layout, const std::array<std::string_view, N>& values) {
  std::string line(layout.code);
  for (std::size_t i = 0; i < N; ++i) {
    if (i != 0) line += ' ';
    const Field& field = layout.fields[i];
    line += values[i].empty() && field.empty_written_as_mark ? field.no_value : values[i];
  }
  if (layout.trailing_blank) line += ' ';
  return line;
}

// Whether `line` is a line of the layout's code.
template <std::size_t N>
bool HasCode(const LineLayout<N>& layout, std::string_view line) {
  return !layout.code.empty() && line.starts_with(layout.code);
}

// The fields of `line` (without its code, if it has it): split at single blanks from the front up
// to the free field and from the back down to it, which keeps what lies between. A line with
// fewer fields leaves the last ones empty.
template <std::size_t N>
std::array<std::string_view, N> Split(const LineLayout<N>& layout, std::string_view line) {
  if (HasCode(layout, line)) line.remove_prefix(layout.code.size());
  if (layout.trailing_blank && line.ends_with(' ')) line.remove_suffix(1);
  std::array<std::string_view, N> fields{};
  std::size_t i = 0;
  for (; i < layout.free_field; ++i) {
    const std::size_t blank = line.find(' ');
    fields[i] = line.substr(0, blank);
    if (blank == std::string_view::npos) return fields;
    line.remove_prefix(blank + 1);
  }
  for (std::size_t back = N - 1; back > layout.free_field; --back) {
    const std::size_t blank = line.rfind(' ');
    if (blank == std::string_view::npos) {
      // Too few fields: what is left is the first of those after the free field.
      fields[layout.free_field + 1] = line;
      return fields;
    }
    fields[back] = line.substr(blank + 1);
    line.remove_suffix(line.size() - blank);
  }
  fields[layout.free_field] = line;
  return fields;
}

// Whether a field's text holds a value: neither empty nor the field's mark.
inline bool HoldsValue(const Field& field, std::string_view text) {
  return !text.empty() && text != field.no_value;
}

}  // namespace tavrimen::record
