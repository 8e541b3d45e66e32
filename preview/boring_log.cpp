#include "preview/boring_log.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace tavrimen::preview {
namespace {

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

// Reads the lines of a block up to the line that ends it, each split by `layout`.
template <std::size_t N, typename Take>
void ReadBlock(Lines& lines, const record::LineLayout<N>& layout, Take take) {
  std::string_view line;
  while (lines.Next(line) && line != record::kEndLine) take(record::Split(layout, line));
}

template <std::size_t N>
Number NumberAt(const std::array<std::string_view, N>& fields, const record::LineLayout<N>& layout,
                std::size_t i) {
  return NumberOf(fields[i], layout.fields[i].no_value);
}

}  // namespace

std::optional<double> FieldNumber(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  if (field.empty()) return std::nullopt;
  // Most fields are a few digits with a point ("12.35"): read as a whole number of digits and
  // divided by a power of ten, which gives the same nearest double as std::from_chars, since both
  // numbers are exact.
  if (double plain = 0; PlainDecimal(field, plain)) return plain;
  // A depth may be written without a zero before the point (".50").
  if (field.front() == '.') return FieldNumber("0" + std::string(field));
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

Number NumberOf(std::string_view text, std::string_view no_value) {
  if (text.empty() || text == no_value) return {text, std::nullopt};
  return {text, FieldNumber(text)};
}

BoringLog ReadBoringLog(std::string_view record_file) {
  BoringLog log;
  ReadBoringLog(record_file, log);
  return log;
}

void ReadBoringLog(std::string_view record_file, BoringLog& log) {
  // Whatever the log held before is dropped, its room kept.
  log.header.fill({});
  log.boring_number = {};
  log.layers.clear();
  log.notes.clear();
  log.penetrations.clear();
  log.samples.clear();
  log.conditions.clear();
  log.water_levels.clear();
  log.progress.clear();
  log.tests.clear();
  log.other_lines.clear();

  Lines lines(record_file);
  std::string_view text;
  for (std::size_t number = 1; number < log.header.size() && lines.Next(text); ++number) {
    log.header[number] = text;
  }

  // The layer block: a layer line, its note lines and the end line for each layer; one more end
  // line ends the block.
  using namespace record;
  while (lines.Next(text) && text != kEndLine) {
    const auto f = Split(kLayerLine, text);
    LogLayer layer{NumberAt(f, kLayerLine, layer::kBottom), f[layer::kGeology], f[layer::kSoil],
                   f[layer::kColour], f[layer::kDensity]};
    layer.first_note = log.notes.size();
    std::string_view note;
    while (lines.Next(note) && note != kEndLine) log.notes.push_back(note);
    layer.note_count = log.notes.size() - layer.first_note;
    log.layers.push_back(layer);
  }
  ReadBlock(lines, kX5Line, [&](const auto& f) {
    log.penetrations.push_back(
        {f, NumberAt(f, kX5Line, x5::kDepth), NumberAt(f, kX5Line, x5::kNValue)});
  });
  ReadBlock(lines, kX6Line, [&](const auto& f) {
    log.samples.push_back({NumberAt(f, kX6Line, x6::kTop),
                           NumberAt(f, kX6Line, x6::kBottom),
                           f[x6::kNumber],
                           f[x6::kKind],
                           {}});
  });
  ReadBlock(lines, kX11Line, [&](const auto& f) {
    log.conditions.push_back(
        {NumberAt(f, kX11Line, x11::kTop), NumberAt(f, kX11Line, x11::kBottom), f[x11::kName], {}});
  });
  ReadBlock(lines, kN8Line, [&](const auto& f) {
    log.water_levels.push_back(
        {NumberAt(f, kN8Line, dated::kValue), f[dated::kMonth], f[dated::kDay]});
  });
  // The coded lines; the 1400 lines name the samples in order.
  std::size_t sampler = 0;
  while (lines.Next(text)) {
    if (text.starts_with(k1100Lines[0])) {
      log.boring_number = text.substr(k1100Lines[0].size());
      continue;
    }
    if (std::find(k1100Lines.begin() + 1, k1100Lines.end(), text) != k1100Lines.end()) continue;
    if (HasCode(k1200Line, text)) {
      const auto f = Split(k1200Line, text);
      log.progress.push_back(
          {NumberAt(f, k1200Line, dated::kValue), f[dated::kMonth], f[dated::kDay]});
    } else if (HasCode(k1300Line, text)) {
      const auto f = Split(k1300Line, text);
      log.tests.push_back({NumberAt(f, k1300Line, test::kTop),
                           NumberAt(f, k1300Line, test::kBottom), f[test::kName],
                           f[test::kResult]});
    } else if (HasCode(k1400Line, text) && sampler < log.samples.size()) {
      log.samples[sampler++].sampler = Split(k1400Line, text)[0];
    } else {
      log.other_lines.push_back(text);
    }
  }
}

}  // namespace tavrimen::preview
