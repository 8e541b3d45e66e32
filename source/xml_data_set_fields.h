// The fields of the files that an XML boring's data set is written as: comma-separated items in
// code page 932, codes numbered for the names of a reference table, and the depths, N values,
// dates and texts over a layer in the forms those files hold them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "source/xml_boring.h"

namespace tavrimen::xml_fields {

// Code page 932 items and records of the comma-separated files, from UTF-8 texts.
class ItemWriter {
 public:
  explicit ItemWriter(std::vector<std::string>& dropped) : dropped_(dropped) {}

  // A text in double quotes, in UTF-8 (whole files become code page 932 at once). A double quote
  // inside it would end the item: it becomes its full-width form. Line ends and tabs become blanks,
  // as a record line has none.
  std::string Text(std::string_view utf8);

  // A number or code as it stands; anything but a plain number is dropped to empty.
  static std::string Number(std::string_view text);

  // A whole file's UTF-8 as code page 932; a character without a form there becomes "?", noted
  // once.
  std::string Cp932(std::string_view utf8);

 private:
  std::vector<std::string>& dropped_;
  bool unwritable_noted_ = false;
};

// Codes for the names of one reference table, numbered from 1 in the order they are first met.
class CodeBook {
 public:
  CodeBook(std::string_view table, int last_code, std::vector<std::string>& dropped)
      : table_(table), last_code_(last_code), dropped_(dropped) {}

  // 0 for an empty name, and for a name beyond the table's room (noted once).
  int CodeOf(const std::string& name) {
    if (name.empty()) return 0;
    if (const auto found = codes_.find(name); found != codes_.end()) return found->second;
    if (static_cast<int>(names_.size()) == last_code_) {
      if (!full_noted_) {
        full_noted_ = true;
        dropped_.push_back("名前が" + std::to_string(last_code_) + "種類を超えたので、" +
                           std::string(table_) + " に入らない名前を空にしました。");
      }
      return 0;
    }
    names_.push_back(name);
    return codes_[name] = static_cast<int>(names_.size());
  }
  const std::vector<std::string>& names() const { return names_; }

 private:
  std::string_view table_;
  int last_code_;
  std::vector<std::string>& dropped_;
  std::map<std::string, int, std::less<>> codes_;
  std::vector<std::string> names_;
  bool full_noted_ = false;
};

void AddRecord(std::string& file, const std::vector<std::string>& items);

// A name that a record line holds as one of its blank-separated fields: its blanks as "_", an
// ideographic blank as "__", as the header readers write the blanks of a title.
std::string OneField(std::string_view utf8);

// The number that the whole of `text` spells (a depth, a count); nothing for any other text.
std::optional<double> DecimalValue(std::string_view text);

// A depth as whole metres and hundredths, as the X5 file holds it: "4.15" gives 4 and 15.
std::pair<std::string, std::string> MetresAndHundredths(std::string_view depth);

// The N value: the blows scaled to 30 cm of penetration, rounded half up; 0 for a self-sinking
// test, and none where nothing was driven.
std::string NValue(const XmlPenetrationTest& test);

// A date as the N8 and N9 files hold it, with the month at characters 6 and 7 and the day at 9
// and 10: "2020/05/27", "2020/05" or "2020".
std::string DateText(const XmlDate& date);

// The texts of `intervals` that overlap the layer from `top` to `bottom`, each once, joined.
std::string TextsOver(const std::vector<XmlDepthText>& intervals, double top, double bottom);

}  // namespace tavrimen::xml_fields
