#include "source/xml_data_set_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/cp932.h"

namespace tavrimen::xml_fields {

std::string ItemWriter::Text(std::string_view utf8) {
  std::string clean;
  clean.reserve(utf8.size());
  for (const char c : utf8) {
    if (c == '"') {
      clean += "\xE2\x80\x9D";  // ”
    } else if (c == '\n' || c == '\r' || c == '\t') {
      clean += ' ';
    } else {
      clean += c;
    }
  }
  return "\"" + clean + "\"";
}

std::string ItemWriter::Number(std::string_view text) {
  return DecimalValue(text) ? std::string(text) : "";
}

std::string ItemWriter::Cp932(std::string_view utf8) {
  std::string bytes = cp932::FromUtf8(utf8);
  if (std::count(bytes.begin(), bytes.end(), '?') != std::count(utf8.begin(), utf8.end(), '?') &&
      !unwritable_noted_) {
    unwritable_noted_ = true;
    dropped_.push_back("コードページ932にない文字を ? にしました。");
  }
  return bytes;
}

void AddRecord(std::string& file, const std::vector<std::string>& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i != 0) file += ',';
    file += items[i];
  }
  file += "\r\n";
}

// A name that a record line holds as one of its blank-separated fields: its blanks as "_", an
// ideographic blank as "__", as the header readers write the blanks of a title.
std::string OneField(std::string_view utf8) {
  std::string field;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == ' ') {
      field += '_';
    } else if (utf8.substr(i, 3) == "\xE3\x80\x80") {
      field += "__";
      i += 2;
    } else {
      field += utf8[i];
    }
  }
  return field;
}

std::optional<double> DecimalValue(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A depth as whole metres and hundredths, as the X5 file holds it: "4.15" gives 4 and 15.
std::pair<std::string, std::string> MetresAndHundredths(std::string_view depth) {
  if (!DecimalValue(depth)) return {"", ""};
  const std::size_t point = depth.find('.');
  if (point == std::string_view::npos) return {std::string(depth), "0"};
  std::string hundredths(depth.substr(point + 1, 2));
  hundredths.resize(2, '0');
  if (hundredths[0] == '0') hundredths.erase(0, 1);
  return {point == 0 ? "0" : std::string(depth.substr(0, point)), hundredths};
}

// The N value: the blows scaled to 30 cm of penetration, rounded half up; 0 for a self-sinking
// test, and none where nothing was driven.
std::string NValue(const XmlPenetrationTest& test) {
  if (test.self_sinking) return "0";
  const auto blows = DecimalValue(test.total_blows);
  const auto penetration = DecimalValue(test.total_penetration);
  if (!blows || !penetration || *penetration <= 0) return "";
  const double n = std::floor(*blows * 30.0 / *penetration + 0.5 + 1e-9);
  return std::to_string(static_cast<long long>(n));
}

// A date as the N8 and N9 files hold it, with the month at characters 6 and 7 and the day at 9
// and 10: "2020/05/27", "2020/05" or "2020".
std::string DateText(const XmlDate& date) {
  auto two = [](const std::string& part) { return part.size() == 1 ? "0" + part : part; };
  if (date.year.empty() && date.month.empty()) return "";
  std::string text = date.year.empty() ? "0000" : date.year;
  if (date.month.empty()) return text;
  text += "/" + two(date.month);
  if (!date.day.empty()) text += "/" + two(date.day);
  return text;
}

// The texts of `intervals` that overlap the layer from `top` to `bottom`, each once, joined.
std::string TextsOver(const std::vector<XmlDepthText>& intervals, double top, double bottom) {
  std::string joined;
  std::vector<std::string_view> seen;
  double interval_top = 0;
  for (const XmlDepthText& interval : intervals) {
    const double interval_bottom = DecimalValue(interval.bottom).value_or(interval_top);
    if (interval_top < bottom && interval_bottom > top && !interval.text.empty() &&
        std::find(seen.begin(), seen.end(), interval.text) == seen.end()) {
      seen.push_back(interval.text);
      if (!joined.empty()) joined += "・";
      joined += interval.text;
    }
    interval_top = interval_bottom;
  }
  return joined;
}

}  // namespace tavrimen::xml_fields
