#include "output/line_buffer.h"

#include <cstdio>
#include <cstdlib>

#include "output/errors.h"

namespace tavrimen {
namespace {

// The general text form of a number: rounded to `digits` significant digits, without exponent,
// trailing zeros and a bare point dropped, a leading blank for zero or more and a minus sign
// otherwise, no zero before the point below 1.
std::string GeneralText(double value, int digits) {
  char scientific[64];
  std::snprintf(scientific, sizeof scientific, "%.*e", digits - 1, value);
  std::string text = scientific;
  const bool negative = text.front() == '-';
  if (negative) text.erase(0, 1);
  const std::size_t e = text.find('e');
  const int exponent = std::atoi(text.c_str() + e + 1);
  std::string mantissa;
  for (char c : text.substr(0, e)) {
    if (c != '.') mantissa.push_back(c);
  }
  std::string whole;
  std::string fraction;
  if (exponent >= 0) {
    const auto point = static_cast<std::size_t>(exponent) + 1;
    if (mantissa.size() < point) mantissa.append(point - mantissa.size(), '0');
    whole = mantissa.substr(0, point);
    fraction = mantissa.substr(point);
  } else {
    fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (whole.empty() && fraction.empty()) whole = "0";
  std::string result = negative ? "-" : " ";
  result += whole;
  if (!fraction.empty()) result += "." + fraction;
  return result;
}

std::string CutToTwoDecimals(std::string text) {
  text.erase(0, 1);
  text += "00";
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return text.substr(0, text.size() - 2) + ".00";
  return text.substr(0, point + 3);
}

}  // namespace

void LineBuffer::Clear() {
  for (std::string& line : lines_) line.clear();
  next_line_ = kFirstBlockLine;
}

void LineBuffer::Append(std::string line) {
  if (next_line_ > kCapacity) throw LineLimitError();
  lines_[static_cast<std::size_t>(next_line_)] = std::move(line);
  ++next_line_;
}

std::string LineBuffer::FileContent() const {
  std::string content;
  std::size_t size = 0;
  for (int i = 1; i < next_line_; ++i) size += lines_[static_cast<std::size_t>(i)].size() + 2;
  content.reserve(size);
  for (int i = 1; i < next_line_; ++i) {
    // A quoted field may hold line ends; in the record file each stands as one blank, so that
    // every line stays one line.
    const std::string& line = lines_[static_cast<std::size_t>(i)];
    for (std::size_t pos = 0; pos < line.size(); ++pos) {
      if (line[pos] == '\r' || line[pos] == '\n') {
        content += ' ';
        if (line[pos] == '\r' && pos + 1 < line.size() && line[pos + 1] == '\n') ++pos;
      } else {
        content += line[pos];
      }
    }
    content += "\r\n";
  }
  return content;
}

std::string FormatTwoDecimals(float value) {
  return CutToTwoDecimals(GeneralText(static_cast<double>(value), 7));
}

std::string FormatTwoDecimals(double value) { return CutToTwoDecimals(GeneralText(value, 15)); }

}  // namespace tavrimen
