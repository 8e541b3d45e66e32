#include "bench/data_set_generator.h"

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cp932.h"

namespace tavrimen::bench {
namespace {

void Write(const std::filesystem::path& path, const std::string& utf8_lines) {
  std::filesystem::create_directories(path.parent_path());
  std::string crlf;
  for (char c : utf8_lines) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  const std::string bytes = cp932::FromUtf8(crlf);
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Depth(int centimetres) {
  return std::to_string(centimetres / 100) + "." + (centimetres % 100 < 10 ? "0" : "") +
         std::to_string(centimetres % 100);
}

}  // namespace

std::string Note(int layer, int characters, int break_every, std::string_view line_break) {
  static const std::vector<std::string> sentences = {
      "細砂～中砂を主体とし、貝殻片を点在する。",
      "含水比が高く、指圧で容易に貫入する。",
      "φ2～20mmの亜円礫を混入する。",
      "下部ほど締まりが良くなる傾向がある。",
      "GL-" + std::to_string(layer) + ".5m付近で逸水あり。",
      "層理が明瞭で、葉理面に雲母片を含む。"};
  std::string note;
  int count = 0;
  for (std::size_t i = static_cast<std::size_t>(layer);
       cp932::CharCount(cp932::FromUtf8(note)) < static_cast<std::size_t>(characters); ++i) {
    if (count > 0 && break_every > 0 && count % break_every == 0) note += line_break;
    note += sentences[i % sentences.size()];
    ++count;
  }
  return note;
}

namespace {

void WriteCommonHeader(const std::filesystem::path& folder, const std::string& name) {
  Write(folder / "CNT.TXT", "\"" + name + "\",1,\"" + name + "\",0,1,3\n");
  Write(folder / "Titl01.txt",
        "\"一般国道バイパス建設に伴う地質調査業務\",\"No.1\",\"" + name +
            "\",2025,10,6,2025,10,17,\"神奈川県相模原市中央区\"\n"
            "35,33,20,139,20,45,\"関東地方整備局\",\"株式会社相模地盤技術\",42.15,3,"
            "\"森本浩二\",\"石田航\",0\n");
  Write(folder / "Titl02.txt",
        "\"道路\",\"" + name +
            "\",1,2025,10,6,0,0\n35,33,21.4,139,20,47.9,\"石田航\",\"上野真理子\",0\n"
            "1,1,0,0,0,20.00,0,90,0,0,\"ロータリー\",\"YBM-05DA\",\"86\",2\n"
            "0,0,0,0,0,0,0,0,0,0\n");
}

// Layers of `thickness` centimetres, each with a note of `note_characters` characters.
void WriteLayers(const std::filesystem::path& folder, int layers, int thickness,
                 int note_characters, int break_every) {
  std::string x1, x3, x12, x14;
  for (int i = 1; i <= layers; ++i) {
    const std::string bottom = Depth(i * thickness);
    x1 += "1," + bottom + "," + std::to_string(10 + (i % 8) * 10) + ",0\n";
    const std::string codes = (i % 3 == 0) ? "0305" : "0" + std::to_string(1 + i % 9);
    x3 += "1," + bottom + "," + codes + ",0," + (i % 4 == 0 ? "07" : "") + ",0,0\n";
    x12 += "1," + Depth((i - 1) * thickness + 10) + ",\"" +
           Note(i, note_characters, break_every, "\\") + "\"\n";
    x14 += "1," + bottom + ",\"灰色\",\"" + (i % 2 ? "中位" : "密な") + "\",0,0\n";
  }
  Write(folder / "X1.txt", x1);
  Write(folder / "X3.txt", x3);
  Write(folder / "X12.txt", x12);
  Write(folder / "X14.txt", x14);
}

void WriteX5(const std::filesystem::path& folder, int records) {
  std::string x5;
  for (int m = 1; m <= records; ++m) {
    const int n = std::min(50, 2 + m * 3);
    x5 += "1," + std::to_string(m) + ",0,0,15," + std::to_string(n) + "," + std::to_string(n / 3) +
          "," + std::to_string(n / 3) + "," + std::to_string(n - 2 * (n / 3)) + ",30,\n";
  }
  Write(folder / "X5.TXT", x5);
}

void WriteX6(const std::filesystem::path& folder, int records, int codes_per_record) {
  std::string x6;
  for (int r = 0; r < records; ++r) {
    x6 += "1,\"S-" + std::to_string(r + 1) + "\"," + std::to_string(1 + r % 3) + ",0," +
          Depth(100 + r * 30) + "," + Depth(180 + r * 30) + ",0,0";
    for (int c = 0; c < 20; ++c) {
      x6 += "," + (c < codes_per_record ? std::to_string(1 + (r * 7 + c * 13) % 99) : "");
    }
    for (int c = 0; c < 40; ++c) x6 += ",0";
    x6 += "\n";
  }
  Write(folder / "X6.TXT", x6);
}

void WriteX7(const std::filesystem::path& folder, int records, int slots_per_record) {
  std::string x7;
  for (int r = 0; r < records; ++r) {
    x7 += "1,0,0,0," + Depth(100 + r * 100) + "," + Depth(150 + r * 100) + ",0,0";
    for (int s = 0; s < 20; ++s) {
      x7 += "," + (s < slots_per_record ? std::to_string(1 + (r + s * 3) % 97) : "");
    }
    for (int s = 0; s < 20; ++s) x7 += ",0";
    for (int s = 0; s < 20; ++s) {
      x7 += "," + (s < slots_per_record ? "\"試験" + std::to_string(s + 1) + "\"" : "");
    }
    x7 += "\n";
  }
  Write(folder / "X7.TXT", x7);
}

void WriteX11(const std::filesystem::path& folder, int records) {
  std::string x11;
  for (int r = 1; r <= records; ++r) {
    x11 += "1," + Depth(r * 115) + "," + std::to_string(1 + r % 40) + ",0,0\n";
  }
  Write(folder / "X11.TXT", x11);
}

void WriteDates(const std::filesystem::path& path, int readings) {
  std::string dates;
  for (int w = 0; w < readings; ++w) {
    const int month = 1 + (w * 7) / 31 % 12;
    const int day = 1 + (w * 7) % 28;
    dates += "1,2025/" + std::string(month < 10 ? "0" : "") + std::to_string(month) + "/" +
             (day < 10 ? "0" : "") + std::to_string(day) + "," + Depth(180 + w % 40) + "\n";
  }
  Write(path, dates);
}

}  // namespace

void WritePatternData(const std::filesystem::path& folder) {
  static const std::vector<std::string> names = {
      "盛土",       "表土",       "沖積粘性土", "沖積砂質土", "沖積礫質土", "洪積粘性土",
      "洪積砂質土", "洪積礫質土", "風化岩",     "軟岩",       "硬岩"};
  std::string kishitu, l4, l2, l8, l10, l100;
  for (int code = 1; code <= 200; ++code) {
    kishitu += std::to_string(code) + ",\"" + names[static_cast<std::size_t>(code) % names.size()] +
               std::to_string(code) + "\"," + std::to_string(code % 20) + ",0,0,0\n";
  }
  for (int code = 0; code <= 100; ++code)
    l4 += std::to_string(code) + ",\"土質" + std::to_string(code) + "\"\n";
  for (int code = 1; code <= 10; ++code)
    l2 += std::to_string(code) + ",\"掘削方法" + std::to_string(code) + "\"\n";
  for (int code = 1; code <= 100; ++code) {
    l8 += std::to_string(code) + ",\"原位置試験" + std::to_string(code) + "\",0\n";
    l10 += std::to_string(code) + ",\"水位区分" + std::to_string(code) + "\"\n";
    l100 += std::to_string(code) + ",\"試料採取方法" + std::to_string(code) + "\"\n";
  }
  Write(folder / "KISHITU.TXT", kishitu);
  Write(folder / "L4.TXT", l4);
  Write(folder / "L2.TXT", l2);
  Write(folder / "L8.TXT", l8);
  Write(folder / "L10.TXT", l10);
  Write(folder / "L100.TXT", l100);
}

void WriteTypicalBoring(const std::filesystem::path& folder) {
  WriteCommonHeader(folder, "TYPICAL");
  WriteLayers(folder, 30, 100, 60, 2);
  WriteX5(folder, 30);
  WriteX6(folder, 12, 3);
  WriteX7(folder, 12, 2);
  WriteX11(folder, 12);
  WriteDates(folder / "N8.TXT", 52);
  WriteDates(folder / "N9.TXT", 52);
}

void WriteVariedBoring(const std::filesystem::path& folder, int variant) {
  const int layers = 10 + (variant * 7) % 31;
  WriteCommonHeader(folder, "TYPICAL");
  WriteLayers(folder, layers, 100, 30 + (variant * 13) % 90, 1 + variant % 3);
  WriteX5(folder, layers);
  WriteX6(folder, 4 + variant % 12, 1 + variant % 4);
  WriteX7(folder, 1 + variant % 9, 1 + variant % 5);
  WriteX11(folder, 1 + variant % 15);
  WriteDates(folder / "N8.TXT", 1 + (variant * 11) % 60);
  WriteDates(folder / "N9.TXT", 1 + (variant * 5) % 30);
}

void WriteLargestBoring(const std::filesystem::path& folder) {
  WriteCommonHeader(folder, "LARGEST");
  // 50 layers of 1 + 5 note lines + "-1"; X5 50; X6 100 (and 100 1400 lines with ten codes each);
  // X11 50; X7 15 records of 20 used slots: 995 lines in all.
  WriteLayers(folder, 50, 40, 160, 0);
  WriteX5(folder, 50);
  WriteX6(folder, 100, 10);
  WriteX7(folder, 15, 20);
  WriteX11(folder, 50);
  WriteDates(folder / "N8.TXT", 0);
  WriteDates(folder / "N9.TXT", 0);
}

}  // namespace tavrimen::bench
