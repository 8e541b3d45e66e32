#include "source/xml_data_set.h"

#include <algorithm>
#include <string_view>

#include "source/record_files.h"
#include "source/xml_data_set_fields.h"

namespace tavrimen {
namespace {

using namespace xml_fields;

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
      const double layer_bottom = DecimalValue(layer.bottom).value_or(top);
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
      return DecimalValue(a->top).value_or(0) < DecimalValue(b->top).value_or(0);
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
