#include "preview/boring_log.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "platform/cp932.h"

namespace tavrimen::preview {
namespace {

// Header lines of the record file that the title block shows.
constexpr int kProjectLine = 2;
constexpr int kBoringLine = 4;
constexpr int kLocationLine = 7;
constexpr int kDatesLine = 11;
constexpr int kElevationLine = 13;
constexpr int kDepthLine = 20;
constexpr int kFirstBlockLine = 22;

// The first N fields of a line, separated by single blanks: the rest of the line is not looked
// at, since the blocks' lines carry more fields than a picture draws.
template <std::size_t N>
struct Fields {
  std::array<std::string_view, N> field;
  std::size_t count = 0;
};

template <std::size_t N>
Fields<N> Split(std::string_view line) {
  // Fields are a few bytes long: a plain loop finds their ends sooner than a search call would.
  Fields<N> fields;
  std::size_t start = 0;
  for (std::size_t at = 0; at < line.size(); ++at) {
    if (line[at] != ' ') continue;
    fields.field[fields.count++] = line.substr(start, at - start);
    if (fields.count == N) return fields;
    start = at + 1;
  }
  fields.field[fields.count++] = line.substr(start);
  return fields;
}

template <std::size_t N>
std::string_view Field(const Fields<N>& fields, std::size_t i) {
  return i < fields.count ? fields.field[i] : std::string_view();
}

// "西暦 2025 10 6 2025 10 17" as "2025/10/6 – 2025/10/17"; other text as it is.
std::string Dates(std::string_view line) {
  const auto f = Split<8>(line);
  bool numbers = f.count == 7;
  for (std::size_t i = 1; numbers && i < 7; ++i) numbers = FieldNumber(f.field[i]).has_value();
  if (numbers) {
    auto text = [&](std::size_t i) { return std::string(f.field[i]); };
    return text(1) + "/" + text(2) + "/" + text(3) + " – " + text(4) + "/" + text(5) + "/" +
           text(6);
  }
  return std::string(line);
}

// Digits with at most one point between them, optionally after a minus, with at most 15 digits:
// true, with the number they write in `value`.
bool PlainDecimal(std::string_view field, double& value) {
  const bool negative = field.front() == '-';
  std::size_t at = negative ? 1 : 0;
  std::uint64_t digits = 0;
  int count = 0, decimals = -1;
  for (; at < field.size(); ++at) {
    const char c = field[at];
    if (c >= '0' && c <= '9') {
      digits = digits * 10 + static_cast<unsigned>(c - '0');
      if (decimals >= 0) ++decimals;
      if (++count > 15) return false;
    } else if (c == '.' && decimals < 0 && count > 0 && at + 1 < field.size()) {
      decimals = 0;
    } else {
      return false;
    }
  }
  if (count == 0) return false;
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  value = static_cast<double>(digits) / kPowers[std::max(decimals, 0)];
  if (negative) value = -value;
  return true;
}

// The lines of a record file in turn. Lines end in CR LF; a CR or LF alone is part of its line.
class Lines {
 public:
  explicit Lines(std::string_view bytes) : bytes_(bytes) {}

  // The next line into `line`; false past the last one.
  bool Next(std::string_view& line) {
    const std::size_t size = bytes_.size();
    if (at_ >= size) return false;
    for (std::size_t from = at_;;) {
      const void* lf = std::memchr(bytes_.data() + from, '\n', size - from);
      if (lf == nullptr) {
        line = bytes_.substr(at_);
        at_ = size;
        return true;
      }
      const auto end = static_cast<std::size_t>(static_cast<const char*>(lf) - bytes_.data());
      if (end > at_ && bytes_[end - 1] == '\r') {
        line = bytes_.substr(at_, end - 1 - at_);
        at_ = end + 1;
        return true;
      }
      from = end + 1;
    }
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

// Reads the lines of a block up to the "-1" that ends it, each split into its first N fields.
template <std::size_t N, typename Take>
void ReadBlock(Lines& lines, Take take) {
  std::string_view line;
  while (lines.Next(line) && line != "-1") take(Split<N>(line));
}

// Sets `utf8` to the UTF-8 of code page 932 bytes, in the room it already has.
void AssignUtf8(std::string& utf8, std::string_view bytes) {
  utf8.resize(cp932::Utf8Room(bytes.size()));
  utf8.resize(static_cast<std::size_t>(cp932::DecodeUtf8(bytes, utf8.data()) - utf8.data()));
}

}  // namespace

std::optional<double> FieldNumber(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  if (field.empty() || field == "9999" || field == "-1") return std::nullopt;
  // Most fields are a few digits with a point ("12.35"): read as a whole number of digits and
  // divided by a power of ten, which gives the same nearest double as std::from_chars, since both
  // numbers are exact.
  if (double plain = 0; PlainDecimal(field, plain)) return plain;
  // A depth may be written without a zero before the point (".50").
  if (field.front() == '.') return FieldNumber("0" + std::string(field));
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return value;
}

BoringLog ReadBoringLog(std::string_view record_file) {
  BoringLog log;
  ReadBoringLog(record_file, log);
  return log;
}

void ReadBoringLog(std::string_view record_file, BoringLog& log) {
  // Whatever the log held before is dropped, its room kept.
  for (std::string* text : {&log.project, &log.boring, &log.location, &log.dates, &log.elevation}) {
    text->clear();
  }
  log.layers.clear();
  log.notes.clear();
  log.penetrations.clear();
  log.samples.clear();
  log.tests.clear();
  log.water_levels.clear();

  Lines lines(record_file);
  std::string_view text;
  // The header: the title block's lines and the stated depth.
  std::string_view stated;
  for (int number = 1; number < kFirstBlockLine && lines.Next(text); ++number) {
    switch (number) {
      case kProjectLine:
        AssignUtf8(log.project, text);
        break;
      case kBoringLine:
        AssignUtf8(log.boring, text);
        break;
      case kLocationLine:
        AssignUtf8(log.location, text);
        break;
      case kDatesLine:
        log.dates = Dates(cp932::ToUtf8(text));
        break;
      case kElevationLine:
        AssignUtf8(log.elevation, text);
        break;
      case kDepthLine:
        stated = Field(Split<1>(text), 0);
        break;
      default:
        break;
    }
  }

  // The layer block: a layer line, its note lines and "-1" for each layer; "-1" ends the block.
  double top = 0;
  while (lines.Next(text) && text != "-1") {
    const auto fields = Split<4>(text);
    LogLayer layer;
    const auto bottom = FieldNumber(Field(fields, 0));
    layer.top = top;
    layer.bottom = bottom.value_or(top);
    layer.geology = Field(fields, 1);
    layer.soil = Field(fields, 2);
    layer.colour = Field(fields, 3);
    layer.first_note = log.notes.size();
    std::string_view note;
    while (lines.Next(note) && note != "-1") log.notes.push_back(note);
    if (bottom) {
      top = layer.bottom;
      layer.note_count = log.notes.size() - layer.first_note;
      log.layers.push_back(layer);
    } else {
      log.notes.resize(layer.first_note);
    }
  }
  // The next four blocks: X5, X6, X11 and N8.
  ReadBlock<3>(lines, [&](const Fields<3>& f) {
    if (auto depth = FieldNumber(Field(f, 1))) {
      log.penetrations.push_back({*depth, FieldNumber(Field(f, 2))});
    }
  });
  auto interval = [](std::vector<LogInterval>& into) {
    return [&into](const Fields<3>& f) {
      const auto from = FieldNumber(Field(f, 0));
      const auto to = FieldNumber(Field(f, 1));
      if (from) into.push_back({*from, to.value_or(*from), Field(f, 2)});
    };
  };
  ReadBlock<3>(lines, interval(log.samples));
  ReadBlock<3>(lines, interval(log.tests));
  ReadBlock<1>(lines, [&](const Fields<1>& f) {
    if (auto depth = FieldNumber(Field(f, 0))) log.water_levels.push_back(*depth);
  });

  // The header's depth, deepened to whatever the blocks reach, so that nothing falls off the
  // picture.
  const std::optional<double> stated_depth = FieldNumber(stated);
  if (stated_depth) {
    AssignUtf8(log.drilled, stated);
  } else {
    log.drilled = "@";
  }
  double depth = stated_depth.value_or(0);
  for (const LogLayer& layer : log.layers) depth = std::max(depth, layer.bottom);
  for (const LogPenetration& test : log.penetrations) depth = std::max(depth, test.depth);
  for (const auto* intervals : {&log.samples, &log.tests}) {
    for (const LogInterval& marked : *intervals)
      depth = std::max({depth, marked.top, marked.bottom});
  }
  for (double level : log.water_levels) depth = std::max(depth, level);
  log.depth = depth > 0 ? depth : 1;
}

}  // namespace tavrimen::preview
