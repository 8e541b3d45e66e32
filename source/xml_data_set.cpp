#include "source/xml_data_set.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <string_view>

#include "platform/cp932.h"
#include "source/record_files.h"

namespace tavrimen {
namespace {

// Code page 932 items and records of the comma-separated files, from UTF-8 texts.
class ItemWriter {
 public:
  explicit ItemWriter(std::vector<std::string>& dropped) : dropped_(dropped) {}

  // A text in double quotes, in UTF-8 (whole files become code page 932 at once). A double quote
  // inside it would end the item: it becomes its full-width form. Line ends and tabs become blanks,
  // as a record line has none.
  std::string Text(std::string_view utf8) {
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

  // A number or code as it stands; anything but a plain number is dropped to empty.
  static std::string Number(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? std::string(text) : "";
  }

  std::string Cp932(std::string_view utf8) {
    std::string bytes = cp932::FromUtf8(utf8);
    if (std::count(bytes.begin(), bytes.end(), '?') != std::count(utf8.begin(), utf8.end(), '?') &&
        !unwritable_noted_) {
      unwritable_noted_ = true;
      dropped_.push_back("コードページ932にない文字を ? にしました。");
    }
    return bytes;
  }

 private:
  std::vector<std::string>& dropped_;
  bool unwritable_noted_ = false;
};

void AddRecord(std::string& file, const std::vector<std::string>& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i != 0) file += ',';
    file += items[i];
  }
  file += "\r\n";
}

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

std::optional<double> Metres(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A depth as whole metres and hundredths, as the X5 file holds it: "4.15" gives 4 and 15.
std::pair<std::string, std::string> MetresAndHundredths(std::string_view depth) {
  if (!Metres(depth)) return {"", ""};
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
  const auto blows = Metres(test.total_blows);
  const auto penetration = Metres(test.total_penetration);
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
    const double interval_bottom = Metres(interval.bottom).value_or(interval_top);
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

class DataSetWriter {
 public:
  explicit DataSetWriter(const XmlBoring& boring, XmlDataSet& out)
      : boring_(boring),
        out_(out),
        items_(out.dropped),
        geology_(kKishituTable.name, 1000, out.dropped),
        soils_(kL4Table.name, 99, out.dropped),
        samplers_(kL100Table.name, 99, out.dropped),
        tests_(kL8Table.name, 9999, out.dropped) {}

  void Write() {
    Add(kCntFile.name, Cnt());
    Add(kTitle1File.name, Title1());
    Add(kTitle2File.name, Title2());
    WriteLayers();
    Add(kX12File.name, Notes());
    Add(kX5File.name, PenetrationTests());
    Add(kX6File.name, Samples());
    Add(kX7File.name, InSituTests());
    Add(kN8File.name, Dated(boring_.water_levels));
    Add(kN9File.name, Dated(boring_.drilling_progress));
    WriteTables();
  }

 private:
  void Add(std::string_view name, std::string_view utf8) {
    out_.data_set.emplace_back(name, items_.Cp932(utf8));
  }

  std::string Cnt() {
    std::string file;
    const std::string name = items_.Text(boring_.boring_name);
    AddRecord(file, {name, "1", name, "0", "1", "3"});
    return file;
  }

  std::string Title1() {
    const XmlBoring& b = boring_;
    std::vector<std::string> f(23, "0");
    f[0] = items_.Text(b.project);
    f[1] = f[2] = items_.Text(b.boring_name);
    const XmlDate* dates[] = {&b.start, &b.end};
    for (int i = 0; i < 2; ++i) {
      f[static_cast<std::size_t>(3 + 3 * i)] = ItemWriter::Number(dates[i]->year);
      f[static_cast<std::size_t>(4 + 3 * i)] = ItemWriter::Number(dates[i]->month);
      f[static_cast<std::size_t>(5 + 3 * i)] = ItemWriter::Number(dates[i]->day);
    }
    f[9] = items_.Text(b.address);
    for (std::size_t i = 0; i < 3; ++i) {
      f[10 + i] = ItemWriter::Number(b.latitude[i]);
      f[13 + i] = ItemWriter::Number(b.longitude[i]);
    }
    f[16] = items_.Text(b.client);
    f[17] = items_.Text(b.company);
    f[18] = ItemWriter::Number(b.elevation);
    f[20] = items_.Text(b.engineers[0]);
    f[21] = items_.Text(b.engineers[1]);
    std::string file;
    AddRecord(file, f);
    return file;
  }

  std::string Title2() {
    const XmlBoring& b = boring_;
    std::vector<std::string> f(41, "0");
    f[0] = items_.Text(b.work);
    f[1] = items_.Text(b.boring_name);
    for (std::size_t i = 0; i < 3; ++i) {
      f[8 + i] = ItemWriter::Number(b.latitude[i]);
      f[11 + i] = ItemWriter::Number(b.longitude[i]);
    }
    f[14] = items_.Text(b.engineers[3]);
    f[15] = items_.Text(b.engineers[2]);
    f[17] = f[18] = "1";
    f[22] = ItemWriter::Number(b.drilled_length);
    f[24] = ItemWriter::Number(b.angle);
    f[25] = ItemWriter::Number(b.direction);
    f[26] = ItemWriter::Number(b.slope);
    f[27] = "\"\"";
    f[28] = items_.Text(b.machine_name);
    f[29] = items_.Text(b.machine_capacity);
    // The method's name comes from L2.TXT, where code 1 is this boring's method.
    f[30] = b.machine_method.empty() ? "" : "1";
    std::string file;
    AddRecord(file, f);
    return file;
  }

  // X1.txt and X3.txt hold the same bottoms, so each layer of the boring is one layer of the
  // record file; X14.txt gives each layer the colours and densities found over it.
  void WriteLayers() {
    std::string x1, x3, x14;
    double top = 0;
    for (const XmlLayer& layer : boring_.layers) {
      const std::string bottom = ItemWriter::Number(layer.bottom);
      AddRecord(x1, {"1", bottom, std::to_string(geology_.CodeOf(OneField(layer.geology))), "0"});
      const int soil = soils_.CodeOf(OneField(layer.soil));
      const std::string soil_code = soil == 0 ? "" : (soil < 10 ? "0" : "") + std::to_string(soil);
      AddRecord(x3, {"1", bottom, soil_code, "0", "", "0", "0"});
      const double layer_bottom = Metres(layer.bottom).value_or(top);
      AddRecord(x14,
                {"1", bottom, items_.Text(OneField(TextsOver(boring_.colours, top, layer_bottom))),
                 items_.Text(OneField(TextsOver(boring_.densities, top, layer_bottom))), "0", "0"});
      top = layer_bottom;
    }
    Add(kX1File.name, std::move(x1));
    Add(kX3File.name, std::move(x3));
    Add(kX14File.name, std::move(x14));
  }

  // Each note at its top, shallowest first; its line breaks become the forced break "\".
  std::string Notes() {
    std::vector<const XmlNote*> notes;
    for (const XmlNote& note : boring_.notes) notes.push_back(&note);
    std::stable_sort(notes.begin(), notes.end(), [](const XmlNote* a, const XmlNote* b) {
      return Metres(a->top).value_or(0) < Metres(b->top).value_or(0);
    });
    std::string file;
    for (const XmlNote* note : notes) {
      std::string text = note->text;
      std::replace(text.begin(), text.end(), '\n', '\\');
      AddRecord(file, {"1", ItemWriter::Number(note->top), items_.Text(text)});
    }
    return file;
  }

  std::string PenetrationTests() {
    std::string file;
    for (const XmlPenetrationTest& test : boring_.penetration_tests) {
      const auto [metres, hundredths] = MetresAndHundredths(test.depth);
      AddRecord(file,
                {"1", metres, "0", "0", hundredths, NValue(test), ItemWriter::Number(test.blows[0]),
                 ItemWriter::Number(test.blows[1]), ItemWriter::Number(test.blows[2]),
                 ItemWriter::Number(test.total_penetration), ""});
    }
    return file;
  }

  std::string Samples() {
    std::string file;
    for (const XmlSample& sample : boring_.samples) {
      const char* kind = sample.kind == 'T'   ? "1"
                         : sample.kind == 'D' ? "2"
                         : sample.kind == 'F' ? "7"
                                              : "3";
      std::vector<std::string> items = {"1",
                                        items_.Text(sample.number),
                                        kind,
                                        "0",
                                        ItemWriter::Number(sample.top),
                                        ItemWriter::Number(sample.bottom),
                                        "0",
                                        "0"};
      std::vector<std::string> names;
      if (!sample.method.empty()) names.push_back(sample.method);
      names.insert(names.end(), sample.tests.begin(), sample.tests.end());
      if (names.size() > 20) {
        out_.dropped.push_back("試料 " + sample.number + " の試験名を20までにしました。");
        names.resize(20);
      }
      for (std::size_t i = 0; i < 20; ++i) {
        const int code = i < names.size() ? samplers_.CodeOf(names[i]) : 0;
        items.push_back(code == 0 ? "" : std::to_string(code));
      }
      items.resize(68, "0");
      AddRecord(file, items);
    }
    return file;
  }

  std::string InSituTests() {
    std::string file;
    for (const XmlInSituTest& test : boring_.in_situ_tests) {
      std::vector<std::string> items = {
          "1", "0", "0", "0", ItemWriter::Number(test.top), ItemWriter::Number(test.bottom),
          "0", "0"};
      items.push_back(
          std::to_string(tests_.CodeOf(test.name.empty() ? "原位置試験" : OneField(test.name))));
      items.resize(28, "");
      items.resize(48, "0");
      items.push_back(test.result.empty() ? "" : items_.Text(test.result));
      items.resize(68, "");
      AddRecord(file, items);
    }
    return file;
  }

  std::string Dated(const std::vector<XmlDatedDepth>& values) {
    std::string file;
    for (const XmlDatedDepth& value : values) {
      AddRecord(file, {"1", DateText(value.date), ItemWriter::Number(value.depth)});
    }
    return file;
  }

  void WriteTables() {
    std::string kishitu, l4, l2, l8, l10, l100;
    int code = 0;
    for (const std::string& name : geology_.names()) {
      AddRecord(kishitu, {std::to_string(++code), items_.Text(name), "0", "0", "0", "0"});
    }
    code = 0;
    for (const std::string& name : soils_.names()) {
      AddRecord(l4, {std::to_string(++code), items_.Text(name)});
    }
    if (!boring_.machine_method.empty()) AddRecord(l2, {"1", items_.Text(boring_.machine_method)});
    code = 0;
    for (const std::string& name : tests_.names()) {
      AddRecord(l8, {std::to_string(++code), items_.Text(name), "0"});
    }
    code = 0;
    for (const std::string& name : samplers_.names()) {
      AddRecord(l100, {std::to_string(++code), items_.Text(name)});
    }
    const std::pair<std::string_view, const std::string*> tables[] = {
        {kKishituTable.name, &kishitu}, {kL4Table.name, &l4},   {kL2Table.name, &l2},
        {kL8Table.name, &l8},           {kL10Table.name, &l10}, {kL100Table.name, &l100}};
    for (const auto& [table, utf8] : tables) out_.tables.emplace_back(table, items_.Cp932(*utf8));
  }

  const XmlBoring& boring_;
  XmlDataSet& out_;
  ItemWriter items_;
  CodeBook geology_;
  CodeBook soils_;
  CodeBook samplers_;
  CodeBook tests_;
};

}  // namespace

XmlDataSet MakeDataSet(const XmlBoring& boring) {
  XmlDataSet out;
  DataSetWriter(boring, out).Write();
  return out;
}

}  // namespace tavrimen
