// The columns over depth: layers, colours, relative density or consistency, notes, water levels
// and the drilling progress. An entry whose every text is empty is left out; one with a depth and
// no text is kept, as it bounds the entry below it.
#include <string>

#include "source/xml_boring_reading.h"

namespace tavrimen::xml_boring {
namespace {

// How a version writes a layer: the element, its bottom, the geology name and the soil name (a
// version with one name gives it as both).
struct LayerForm {
  std::string_view element;
  std::string_view bottom;
  std::string_view geology;
  std::string_view soil;
};

constexpr LayerForm kLayerForms[] = {
    {"工学的地質区分名現場土質名", "工学的地質区分名現場土質名_下端深度",
     "工学的地質区分名現場土質名_工学的地質区分名現場土質名", ""},
    {"岩石土区分", "岩石土区分_下端深度", "岩石土区分_岩石土名", ""},
    {"土質岩種区分", "土質岩種区分_下端深度", "土質岩種区分_土質岩種区分1",
     "土質岩種区分_土質岩種区分2"},
    {"地質区分", "地質区分_深度", "地質区分_地質名称1", "地質区分_地質名称2"},
};

// The classification codes anywhere inside a layer: the 9-digit rock and soil codes of versions 3
// and 4 (岩相, 岩石, 変成岩岩相, 変成岩岩石), the 5-digit ones of versions 1 and 2.
void CollectCodes(const XmlElement& element, std::string& codes) {
  for (const XmlElement& child : element.children) {
    const std::string_view name = child.name;
    const bool is_code = name.ends_with("岩相") || name.ends_with("岩石") ||
                         name.ends_with("コード1") || name.ends_with("コード2");
    const std::string text = Trimmed(child.text);
    if (is_code && !text.empty()) codes += (codes.empty() ? "" : " ") + text;
    CollectCodes(child, codes);
  }
}

void ReadLayer(const XmlElement& element, const LayerForm& form, XmlBoring& boring, int& unnamed,
               std::string& first_unnamed) {
  XmlLayer layer;
  layer.bottom = Number(element.ChildText(form.bottom));
  layer.geology = element.ChildText(form.geology);
  layer.soil = form.soil.empty() ? "" : element.ChildText(form.soil);
  if (layer.soil.empty()) layer.soil = layer.geology;
  if (layer.geology.empty()) layer.geology = layer.soil;
  std::string codes;
  CollectCodes(element, codes);
  if (layer.bottom.empty() && layer.geology.empty() && codes.empty()) return;
  if (layer.geology.empty() && !codes.empty() && unnamed++ == 0) {
    first_unnamed = "下端 " + layer.bottom + " m、コード " + codes;
  }
  boring.layers.push_back(std::move(layer));
}

// 相対密度 and 相対稠度 by code: 1 to 5, or 10 to 50 in version 4; 0 or none is no state.
constexpr std::string_view kDensities[] = {"非常に緩い", "緩い", "中位の", "密な", "非常に密な"};
constexpr std::string_view kConsistencies[] = {"非常に軟らかい", "軟らかい", "中位の", "硬い",
                                               "非常に硬い"};

std::string StateName(const XmlElement& element, std::string_view kind,
                      const std::string_view (&names)[5], std::vector<std::string>& dropped) {
  const std::string prefix(kind);
  std::string state = element.ChildText(prefix + "_状態");
  if (!state.empty()) return state;
  const std::string code = element.ChildText(prefix + "_コード");
  int value = CodeValue(code);
  if (value >= 10 && value % 10 == 0) value /= 10;
  if (code.empty() || value == 0) return "";
  if (value >= 1 && value <= 5) return std::string(names[value - 1]);
  Drop(dropped, prefix + "のコード「" + code + "」がわかりません。");
  return "";
}

void ReadDensity(const XmlElement& element, XmlBoring& boring) {
  XmlDepthText density{Number(element.ChildText("相対密度稠度_下端深度")), ""};
  for (const std::string& state :
       {StateName(element, "相対密度", kDensities, boring.dropped),
        StateName(element, "相対稠度", kConsistencies, boring.dropped)}) {
    if (!state.empty()) density.text += (density.text.empty() ? "" : "・") + state;
  }
  if (!density.bottom.empty() || !density.text.empty()) boring.densities.push_back(density);
}

void ReadColour(const XmlElement& element, XmlBoring& boring) {
  XmlDepthText colour{Number(element.ChildText("色調_下端深度")),
                      TextOf(&element, {"色調_色調名", "色調_状態"})};
  if (!colour.bottom.empty() || !colour.text.empty()) boring.colours.push_back(colour);
}

// A note's line breaks, whether real line ends or the two characters "\n", become '\n'.
void ReadNote(const XmlElement& element, XmlBoring& boring) {
  std::string text = element.ChildText("観察記事_記事");
  for (std::size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at + 1)) {
    text.replace(at, 2, "\n");
  }
  XmlNote note{Number(element.ChildText("観察記事_上端深度")), Trimmed(text)};
  if (!note.top.empty() || !note.text.empty()) boring.notes.push_back(note);
}

void ReadDatedDepth(const XmlElement& element, std::string_view depth_name, std::string_view label,
                    std::vector<XmlDatedDepth>& entries, std::vector<std::string>& dropped) {
  const std::string prefix = element.name + "_";
  XmlDatedDepth entry;
  entry.date = DateOf(&element, prefix + "測定", label, dropped);
  entry.depth = Number(element.ChildText(prefix + std::string(depth_name)));
  if (!entry.depth.empty() || !entry.date.year.empty()) entries.push_back(entry);
}

}  // namespace

void ReadColumns(const XmlElement& core, XmlBoring& boring) {
  int unnamed = 0;
  std::string first_unnamed;
  for (const XmlElement& element : core.children) {
    const std::string_view name = element.name;
    for (const LayerForm& form : kLayerForms) {
      if (name == form.element) ReadLayer(element, form, boring, unnamed, first_unnamed);
    }
    if (name == "色調") ReadColour(element, boring);
    if (name == "相対密度稠度") ReadDensity(element, boring);
    if (name == "観察記事") ReadNote(element, boring);
    if (name == "孔内水位") {
      ReadDatedDepth(element, "孔内水位", "孔内水位の測定日", boring.water_levels, boring.dropped);
    }
    if (name == "掘削工程") {
      ReadDatedDepth(element, "掘進深度", "掘削工程の測定日", boring.drilling_progress,
                     boring.dropped);
    }
    if (name == "削孔工程") {
      ReadDatedDepth(element, "削孔深度", "削孔工程の測定日", boring.drilling_progress,
                     boring.dropped);
    }
  }
  if (unnamed > 0) {
    boring.dropped.push_back("名前がなくコードだけの地層が " + std::to_string(unnamed) +
                             " 件あります（" + first_unnamed + "）。");
  }
}

}  // namespace tavrimen::xml_boring
