// The paper of a boring log: A4 portrait pages in millimetres, the title block, the column
// headings, the body where depths are drawn to scale, the footer with the legend, the cautions
// and the notes, and the columns of the body from left to right.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tavrimen::preview::sheet {

inline constexpr double kPageWidth = 210;
inline constexpr double kPageHeight = 297;
inline constexpr double kLeft = 7;
inline constexpr double kRight = 203;
inline constexpr double kTitleTop = 7;
inline constexpr double kHeadTop = 33;
inline constexpr double kBodyTop = 45;
inline constexpr double kBodyHeight = 200;
inline constexpr double kBodyBottom = kBodyTop + kBodyHeight;
inline constexpr double kFootTop = 247;
inline constexpr double kFootBottom = 290;

enum ColumnId : std::size_t {
  kScaleColumn,
  kElevationColumn,
  kThicknessColumn,
  kDepthColumn,
  kSymbolColumn,
  kClassColumn,  // geology class and soil name
  kColourColumn,
  kDensityColumn,  // relative density or consistency
  kNotesColumn,
  kWaterColumn,
  kSptDepthColumn,
  kBlowsColumn,       // blows per 10 cm, three sub-columns
  kBlowsTotalColumn,  // blows and penetration
  kNValueColumn,
  kChartColumn,
  kSamplesColumn,
  kTestsColumn,
  kConditionsColumn,
  kProgressColumn,
  kColumnCount
};

struct Column {
  std::string_view name;  // the class of its group in the picture
  double width;
  std::array<std::string_view, 3> caption;  // lines of its heading (UTF-8)
  std::string_view caption_name;            // what the notes list calls it
  double x = 0;
};

inline constexpr std::array<Column, kColumnCount> kColumns = [] {
  std::array<Column, kColumnCount> columns = {{
      {"scale", 5, {"標尺", "(m)"}, "標尺"},
      {"elevation", 7, {"標高", "(m)"}, "標高"},
      {"thickness", 6, {"層厚", "(m)"}, "層厚"},
      {"depth", 7, {"深度", "(m)"}, "深度"},
      {"symbol", 8, {"柱状図"}, "柱状図"},
      {"class", 16, {"土質区分"}, "土質区分"},
      {"colour", 8, {"色調"}, "色調"},
      {"density", 9, {"相対密度", "相対稠度"}, "相対密度・稠度"},
      {"notes", 29.9, {"記事"}, "記事"},
      {"water", 13, {"孔内水位", "(m)", "月/日"}, "孔内水位"},
      {"spt-depth", 7, {"深度", "(m)"}, "標準貫入試験"},
      {"blows", 9.6, {"10cm毎の", "打撃回数"}, "打撃回数"},
      {"blows-total", 7, {"打撃回数", "/貫入量", "(cm)"}, "打撃回数/貫入量"},
      {"n-number", 4.5, {"N値"}, "N値"},
      {"chart", 16, {"N値"}, "N値"},
      {"samples", 13, {"試料採取"}, "試料採取"},
      {"tests", 15, {"原位置試験"}, "原位置試験"},
      {"conditions", 7.5, {"孔内", "状況"}, "孔内状況"},
      {"progress", 7.5, {"掘進", "月日"}, "掘進月日"},
  }};
  double x = kLeft;
  for (Column& column : columns) {
    column.x = x;
    x += column.width;
  }
  return columns;
}();
static_assert(kColumns.back().x + kColumns.back().width <= kRight + 1e-9);

// The standard scales, 1:100 first: the first that draws a boring in at most kMostPages pages.
inline constexpr std::array<int, 7> kScales = {100, 200, 500, 1000, 2000, 5000, 10000};
inline constexpr int kMostPages = 20;

struct Scale {
  int denominator = 100;
  double MmPerMetre() const { return 1000.0 / denominator; }
  double MetresPerPage() const { return kBodyHeight / MmPerMetre(); }
  // The pages the body of a log `depth` metres deep takes: at least one.
  int PagesFor(double depth) const;
};
Scale ScaleFor(double depth);

}  // namespace tavrimen::preview::sheet
