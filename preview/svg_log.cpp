#include "preview/svg_log.h"

#include "preview/log_body.h"
#include "preview/log_sheet.h"
#include "preview/soil_symbols.h"

namespace tavrimen::preview {
namespace {

constexpr std::string_view kFonts =
    "'Yu Gothic UI', 'Yu Gothic', Meiryo, 'MS Gothic', 'Noto Sans CJK JP', IPAPGothic, "
    "IPAGothic, sans-serif";

// The pages print one a sheet at true size; on screen each page is edged.
constexpr std::string_view kStyle =
    "<style>\n"
    "@page { size: A4 portrait; margin: 0 }\n"
    "text { fill: #000000 }\n"
    ".s { font-size: 1.5px }\n"
    ".m { text-anchor: middle }\n"
    ".e { text-anchor: end }\n"
    ".b { font-weight: bold }\n"
    ".rule { fill: none; stroke: #000000; stroke-width: 0.2 }\n"
    ".thin, .ticks, .progress { fill: none; stroke: #000000; stroke-width: 0.12 }\n"
    ".boundary { fill: none; stroke: #000000; stroke-width: 0.18 }\n"
    ".grid { fill: none; stroke: #b0b0b0; stroke-width: 0.1 }\n"
    ".label { fill: #eeeeee }\n"
    ".sym { fill: none; stroke: #303030; stroke-width: 0.13 }\n"
    ".dots { fill: none; stroke: #303030; stroke-width: 0.32; stroke-linecap: round }\n"
    ".n-line { fill: none; stroke: #c0392b; stroke-width: 0.25 }\n"
    ".n-value { fill: #c0392b }\n"
    ".n-none { fill: none; stroke: #c0392b; stroke-width: 0.15 }\n"
    ".water-level { fill: #3d9be9; stroke: #1f5f99; stroke-width: 0.1 }\n"
    ".sample { fill: #3b6ea5 }\n"
    ".test { fill: #a5523b }\n"
    ".condition { fill: #5f7f2a }\n"
    ".mark, .caution, .caution-heading { fill: #b00000 }\n"
    ".caution-heading, .notes-heading { font-weight: bold }\n"
    ".sheet-edge { fill: none; stroke: #c8c8c8; stroke-width: 0.3 }\n"
    "@media print { .sheet-edge { display: none } }\n"
    "</style>\n";

}  // namespace

std::string_view LogDrawer::Draw(const BoringLog& log) {
  Vet(log, facts_);
  const sheet::Scale scale = sheet::ScaleFor(facts_.depth);
  canvas_.Start(scale, scale.PagesFor(facts_.depth));
  std::array<bool, kSoilClassCount> classes_used{};
  DrawBody(log, facts_, canvas_, classes_used);
  frame_.LayOut(log, facts_.cautions, canvas_, classes_used);

  const int pages = frame_.pages();
  const double height = sheet::kPageHeight * pages;
  svg_.Clear();
  std::size_t room = 8192;
  for (int page = 0; page < canvas_.body_pages(); ++page) room += canvas_.Page(page).size() + 8192;
  svg_.reserve(room + 16384 * static_cast<std::size_t>(pages - canvas_.body_pages()));
  svg_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
       << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << sheet::kPageWidth
       << "mm\" height=\"" << height << "mm\" viewBox=\"0 0 " << sheet::kPageWidth << ' ' << height
       << "\" font-family=\"" << kFonts << "\" font-size=\"" << kTextSize << "\" data-scale=\""
       << scale.denominator << "\" data-pages=\"" << pages << "\" data-body-pages=\""
       << canvas_.body_pages() << "\" data-body-top=\"" << sheet::kBodyTop << "\" data-mm-per-m=\""
       << scale.MmPerMetre() << "\" data-depth=\"" << facts_.depth << "\">\n"
       << kStyle;
  svg_ << "<defs>\n";
  frame_.AppendDefs(svg_);
  svg_ << "</defs>\n";
  for (int page = 0; page < pages; ++page) {
    svg_ << "<g class=\"page\" transform=\"translate(0 " << sheet::kPageHeight * page << ")\"";
    if (page < canvas_.body_pages()) {
      svg_ << " data-top-m=\"" << page * scale.MetresPerPage() << '"';
    }
    svg_ << ">\n<rect width=\"" << sheet::kPageWidth << "\" height=\"" << sheet::kPageHeight
         << "\" fill=\"#ffffff\"/>\n<rect class=\"sheet-edge\" width=\"" << sheet::kPageWidth
         << "\" height=\"" << sheet::kPageHeight << "\"/>\n";
    frame_.AppendPage(page, canvas_, svg_);
    svg_ << "</g>\n";
  }
  svg_ << "</svg>\n";
  return svg_.view();
}

std::string DrawBoringLog(const BoringLog& log) {
  LogDrawer drawer;
  return std::string(drawer.Draw(log));
}

}  // namespace tavrimen::preview
