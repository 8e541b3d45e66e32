// The title block of the frame: each header field that holds a value in its cell, at the value
// size, smaller, on two lines, or else in the notes.
#include <vector>

#include "platform/cp932.h"
#include "preview/log_frame.h"
#include "preview/text_fit.h"

namespace tavrimen::preview {
namespace {

constexpr double kRowHeight = 5;
constexpr double kFirstRow = 13;  // the title block's grid, below its heading
constexpr double kLabelSize = 1.4;

// The fields of a header line.
std::vector<std::string_view> Tokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  while (!line.empty()) {
    const std::size_t blank = line.find(' ');
    if (blank != 0) tokens.push_back(line.substr(0, blank));
    if (blank == std::string_view::npos) break;
    line.remove_prefix(blank + 1);
  }
  return tokens;
}

// A field that stands for no value: empty, a mark, or marks run together ("-1-1").
bool NoValue(std::string_view field) {
  if (field.empty() || field == record::kNoText || field == record::kNoDepth) return true;
  while (field.starts_with(record::kNoNumber)) field.remove_prefix(record::kNoNumber.size());
  return field.empty();
}

bool IsNumber(std::string_view field) { return FieldNumber(field).has_value(); }

class TitleValues {
 public:
  TitleValues(const BoringLog& log, Canvas& canvas) : log_(log), canvas_(canvas) {}

  // A line of text; empty for the mark.
  std::string_view Text(int line) { return Text(log_.header[line]); }
  std::string_view Text(std::string_view text) {
    return NoValue(text) ? std::string_view() : canvas_.Utf8(text);
  }

  // The fields of lines that hold values, joined by `joiner`.
  std::string_view Joined(int first, int last, std::string_view joiner) {
    std::string joined;
    for (int line = first; line <= last; ++line) {
      for (const std::string_view token : Tokens(log_.header[line])) {
        if (NoValue(token)) continue;
        if (!joined.empty()) joined += joiner;
        joined += canvas_.Utf8(token);
      }
    }
    return canvas_.Hold(std::move(joined));
  }

  // A number with its unit; the raw text where it is no number.
  std::string_view Measure(std::string_view field, std::string_view unit) {
    if (NoValue(field) || field == record::kNoElevation) return {};
    return canvas_.Hold(std::string(canvas_.Utf8(field)) +
                        std::string(IsNumber(field) ? unit : ""));
  }

  // "35°33′21.4″" from degrees, minutes and seconds.
  std::string_view Angle(int line) {
    const auto tokens = Tokens(log_.header[line]);
    static constexpr std::string_view kUnits[] = {"°", "′", "″"};
    std::string text;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      if (NoValue(tokens[i])) continue;
      if (i >= 3 || !IsNumber(tokens[i])) return Text(line);
      text += std::string(canvas_.Utf8(tokens[i])) + std::string(kUnits[i]);
    }
    return canvas_.Hold(std::move(text));
  }

  // "2025年10月6日〜2025年10月17日" from the period's year, month and day twice.
  std::string_view Period() {
    std::string_view line = log_.header[record::header::kPeriod];
    static const std::string kPrefix = cp932::FromUtf8(record::header::kPeriodPrefix);
    if (line.starts_with(kPrefix)) line.remove_prefix(kPrefix.size());
    const auto tokens = Tokens(line);
    if (tokens.size() != 6) return Text(record::header::kPeriod);
    static constexpr std::string_view kUnits[] = {"年", "月", "日"};
    std::string dates[2];
    for (std::size_t i = 0; i < 6; ++i) {
      if (NoValue(tokens[i])) continue;
      if (!IsNumber(tokens[i])) return Text(record::header::kPeriod);
      dates[i / 3] += std::string(canvas_.Utf8(tokens[i])) + std::string(kUnits[i % 3]);
    }
    if (dates[0].empty() && dates[1].empty()) return {};
    return canvas_.Hold(dates[0] + "〜" + dates[1]);
  }

 private:
  const BoringLog& log_;
  Canvas& canvas_;
};

}  // namespace

void LogFrame::LayOutTitle(const BoringLog& log, Canvas& canvas) {
  namespace line = record::header;
  TitleValues values(log, canvas);
  const std::string_view drilled = Tokens(log.header[line::kDrilled]).empty()
                                       ? std::string_view()
                                       : Tokens(log.header[line::kDrilled])[0];
  auto make = [](std::string_view label, double width, std::string_view value) {
    TitleCell c;
    c.label = label;
    c.width = width;
    c.value = value;
    return c;
  };
  title_ = {{
      {{make("調査名", 110, values.Text(line::kProject)),
        make("事業・工事名", 86, values.Text(line::kWork))}},
      {{make("ボーリング名", 38, values.Text(line::kBoringName)),
        make("孔番号", 30, values.Text(log.boring_number)),
        make("調査位置", 68, values.Text(line::kLocation)),
        make("発注機関", 60, values.Text(line::kClient))}},
      {{make("調査期間", 62, values.Period()), make("調査業者", 64, values.Text(line::kCompany)),
        make("技術者", 70, values.Joined(line::kEngineers, line::kEngineers, "、"))}},
      {{make("孔口標高", 28, values.Measure(log.header[line::kElevation], " m")),
        make("総掘進長", 28, values.Measure(drilled, " m")),
        make("緯度", 30, values.Angle(line::kLatitude)),
        make("経度", 30, values.Angle(line::kLongitude)),
        make("角度・方位・勾配", 36, values.Joined(line::kAngles, line::kAngles, " / ")),
        make("試錐機", 44, values.Joined(line::kMachineFirst, line::kMachineLast, " / "))}},
  }};
  title_notes_.clear();
  title_pointers_.clear();
  for (auto& row : title_) {
    for (TitleCell& cell : row) {
      cell.lines.clear();
      cell.mark = {};
      if (cell.value.empty()) continue;
      const double room = cell.width - TextWidth(cell.label, kLabelSize) - 2.2;
      // At the value size, at a smaller one, on two lines, or else in the notes.
      for (const double size : {kValueSize, 1.6, kSmallSize}) {
        cell.lines.clear();
        WrapText(cell.value, size, room, cell.lines);
        cell.size = size;
        if (cell.lines.size() == 1 || (size == kSmallSize && cell.lines.size() == 2)) break;
      }
      if (cell.lines.size() > 2) {
        cell.lines.clear();
        const int number = canvas.AddNote(-1, cell.label, "", std::string(cell.value), true);
        cell.mark = canvas.Hold("※" + std::to_string(number));
        const std::string mark = "※" + std::to_string(number) + " " + std::string(cell.label);
        title_notes_.push_back({false, mark + ": " + std::string(cell.value)});
        title_pointers_.push_back({false, mark + ": 1枚目の注記に全文"});
      }
    }
  }
}

void LogFrame::AppendTitle(Markup& out) const {
  out << "<g id=\"title\" class=\"title\">\n";
  AppendText(out, sheet::kLeft, 11.6, 3.4, "ボーリング柱状図", "b");
  out << "<path class=\"rule\" d=\"";
  for (int row = 0; row <= 4; ++row) {
    out << 'M' << sheet::kLeft << ' ' << kFirstRow + row * kRowHeight << 'H' << sheet::kRight;
  }
  out << "\"/>\n";
  for (std::size_t row = 0; row < title_.size(); ++row) {
    const double top = kFirstRow + static_cast<double>(row) * kRowHeight;
    double x = sheet::kLeft;
    for (const TitleCell& cell : title_[row]) {
      if (cell.label.empty()) continue;
      const double label_width = TextWidth(cell.label, kLabelSize) + 1.2;
      out << "<rect class=\"label\" x=\"" << x << "\" y=\"" << top << "\" width=\"" << label_width
          << "\" height=\"" << kRowHeight << "\"/>\n";
      out << "<path class=\"rule\" d=\"M" << x << ' ' << top << 'v' << kRowHeight << 'M'
          << x + label_width << ' ' << top << 'v' << kRowHeight << "\"/>\n";
      AppendText(out, x + 0.6, top + 3.1, kLabelSize, cell.label);
      const double value_x = x + label_width + 0.8;
      if (!cell.mark.empty()) {
        AppendText(out, value_x, top + 3.4, kSmallSize, cell.mark, "mark");
      } else if (cell.lines.size() == 1) {
        AppendText(out, value_x, top + 2.5 + kAscent * cell.size / 2, cell.size, cell.lines, {});
      } else if (!cell.lines.empty()) {
        AppendText(out, value_x, top + 0.4 + kAscent * cell.size, cell.size, cell.lines);
      }
      x += cell.width;
    }
  }
  out << "<path class=\"rule\" d=\"M" << sheet::kRight << ' ' << kFirstRow << 'v' << 4 * kRowHeight
      << "\"/>\n</g>\n";
}

}  // namespace tavrimen::preview
