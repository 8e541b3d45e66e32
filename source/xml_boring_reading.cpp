#include "source/xml_boring_reading.h"

#include <algorithm>
#include <optional>

namespace tavrimen::xml_boring {
namespace {

constexpr std::string_view kIdeographicSpace = "\u3000";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether `text` is an unsigned decimal number: digits with at most one point among them.
bool IsUnsignedDecimal(std::string_view text) {
  if (text.empty() || text == ".") return false;
  return std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == '.'; }) &&
         std::count(text.begin(), text.end(), '.') <= 1;
}

std::string WithoutLeadingZeros(std::string_view digits) {
  while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
  return std::string(digits);
}

// The year, month and day in `text`: digits parted by "-", "/", ".", blanks or 年月日.
std::optional<std::vector<std::string>> DateParts(std::string_view text) {
  std::vector<std::string> parts(1);
  while (!text.empty()) {
    std::size_t separator = 0;
    for (std::string_view s : {"-", "/", ".", " ", "年", "月", "日"}) {
      if (text.starts_with(s)) separator = s.size();
    }
    if (separator > 0) {
      if (!parts.back().empty()) parts.emplace_back();
      text.remove_prefix(separator);
    } else if (IsDigit(text[0])) {
      parts.back() += text[0];
      text.remove_prefix(1);
    } else {
      return std::nullopt;
    }
  }
  if (parts.back().empty()) parts.pop_back();
  if (parts.empty() || parts.size() > 3 || parts[0].size() != 4) return std::nullopt;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    const int value = CodeValue(parts[i]);
    if (value < 1 || value > (i == 1 ? 12 : 31)) return std::nullopt;
    parts[i] = WithoutLeadingZeros(parts[i]);
  }
  return parts;
}

bool Noted(const std::vector<std::string>& dropped, std::string_view label) {
  return std::any_of(dropped.begin(), dropped.end(),
                     [&](const std::string& sentence) { return sentence.starts_with(label); });
}

}  // namespace

std::string TextOf(const XmlElement* parent, std::initializer_list<std::string_view> names) {
  if (parent == nullptr) return "";
  for (std::string_view name : names) {
    std::string text = parent->ChildText(name);
    if (!text.empty()) return text;
  }
  return "";
}

bool HoldsText(const XmlElement& element) {
  return !Trimmed(element.text).empty() ||
         std::any_of(element.children.begin(), element.children.end(), HoldsText);
}

std::string Trimmed(std::string_view text) {
  auto blank_at_start = [&] {
    if (text.starts_with(kIdeographicSpace)) return kIdeographicSpace.size();
    return !text.empty() && std::string_view(" \t\r\n").find(text[0]) != std::string_view::npos
               ? std::size_t{1}
               : std::size_t{0};
  };
  auto blank_at_end = [&] {
    if (text.ends_with(kIdeographicSpace)) return kIdeographicSpace.size();
    return !text.empty() && std::string_view(" \t\r\n").find(text.back()) != std::string_view::npos
               ? std::size_t{1}
               : std::size_t{0};
  };
  while (std::size_t n = blank_at_start()) text.remove_prefix(n);
  while (std::size_t n = blank_at_end()) text.remove_suffix(n);
  return std::string(text);
}

std::string Number(std::string_view text) {
  std::string trimmed = Trimmed(text);
  const std::size_t sign = trimmed.starts_with('-') ? 1 : 0;
  const std::string_view magnitude = std::string_view(trimmed).substr(sign);
  if (!IsUnsignedDecimal(magnitude)) return trimmed;
  std::size_t first = 0;
  while (first + 1 < magnitude.size() && magnitude[first] == '0' && IsDigit(magnitude[first + 1])) {
    ++first;
  }
  return trimmed.substr(0, sign) + std::string(magnitude.substr(first));
}

std::string CentimetresOf(std::string_view millimetres) {
  const std::string number = Number(millimetres);
  if (!IsUnsignedDecimal(number)) return number;
  const std::size_t point = std::min(number.find('.'), number.size());
  const std::string whole = number.substr(0, point);
  std::string fraction = (whole.empty() ? "0" : whole.substr(whole.size() - 1)) +
                         (point < number.size() ? number.substr(point + 1) : "");
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  std::string result = whole.size() > 1 ? whole.substr(0, whole.size() - 1) : "0";
  return fraction.empty() ? result : result + "." + fraction;
}

int CodeValue(std::string_view code) {
  if (code.empty() || code.size() > 6 || !std::all_of(code.begin(), code.end(), IsDigit)) {
    return -1;
  }
  int value = 0;
  for (char c : code) value = value * 10 + (c - '0');
  return value;
}

XmlDate DateOf(const XmlElement* parent, std::string_view prefix, std::string_view label,
               std::vector<std::string>& dropped) {
  const std::string name(prefix);
  std::string text = TextOf(parent, {name + "年月日"});
  if (text.empty()) {
    for (const char* part : {"年", "月", "日"}) {
      const std::string value = TextOf(parent, {name + part});
      if (!value.empty()) text += (text.empty() ? "" : "-") + value;
    }
  }
  if (text.empty()) return {};
  const auto parts = DateParts(text);
  const std::string quoted = std::string(label) + "「" + text + "」";
  if (!parts) {
    if (!Noted(dropped, label)) dropped.push_back(quoted + "を読めません。");
    return {};
  }
  if (parts->size() < 3 && !Noted(dropped, label)) {
    dropped.push_back(quoted +
                      (parts->size() == 1 ? "には月日がありません。" : "には日がありません。"));
  }
  XmlDate date;
  date.year = (*parts)[0];
  if (parts->size() > 1) date.month = (*parts)[1];
  if (parts->size() > 2) date.day = (*parts)[2];
  return date;
}

void Drop(std::vector<std::string>& dropped, std::string sentence) {
  if (std::find(dropped.begin(), dropped.end(), sentence) == dropped.end()) {
    dropped.push_back(std::move(sentence));
  }
}

}  // namespace tavrimen::xml_boring
