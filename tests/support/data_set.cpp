#include "support/data_set.h"

#include <algorithm>
#include <vector>

namespace tavrimen::testing {

void WriteFiles(const std::filesystem::path& folder, const Files& files) {
  std::filesystem::create_directories(folder);
  for (const auto& [name, content] : files) {
    std::string crlf;
    for (char c : content) {
      if (c == '\n') crlf += '\r';
      crlf += c;
    }
    WriteCp932(folder / name, crlf);
  }
}

Files StandardPatdat() {
  return {
      {"KISHITU.TXT", "10,盛土,1,0,0,0\n20,沖積粘性土,2,0,0,0\n30,沖積砂質土,3,0,0,0\n"},
      {"L4.TXT", "1,礫\n3,砂\n5,シルト\n6,粘土\n7,有機質土\n9,表土\n"},
      {"L2.TXT", "1,ロータリー式\n2,ロータリー式(オイルフィード)\n"},
      {"L8.TXT", "1,標準貫入試験,0\n3,現場透水試験,0\n"},
      {"L10.TXT", "1,自然水位\n2,被圧水位\n"},
      {"L100.TXT", "1,ab\n2,cdef\n12,ghijkl\n"},
  };
}

Files MinimalBoring() {
  return {
      {"CNT.TXT", "\"KB-1\",1,\"B-1\",0,1,3\n"},
      {"Titl01.txt",
       "\"県道改良工事\",\"No.1\",\"KB-1\",2001,7,2,2001,7,15,\"千葉県千葉市\"\n"
       "35,36,40,140,7,20,\"千葉県土木部\",\"房総地研\",12.35,4,\"山田太郎\",\"鈴木一郎\",0\n"},
      {"Titl02.txt",
       "\"道路改良\",\"KB-1\",1,2001,7,2,0,0\n"
       "35,36,41.5,140,7,22.8,\"佐藤次郎\",\"高橋三郎\",0\n"
       "1,2,0,0,0,12.50,0,90,0,270.5,\"ロータリー\",\"YBM-05\",\"66\",2\n"
       "0,0,0,0,0,0,0,0,0,0\n"},
      {"X1.txt", "1,5.00,20,0\n"},
      {"X3.txt", "1,5.00,06,0,,0,0\n"},
  };
}

std::string MinimalRecordFile() {
  return "TPJ Ge201\n"
         "県道改良工事\n"
         "@\n"
         "No.1\n"
         "@\n"
         "道路改良\n"
         "千葉県千葉市\n"
         "35 36 41.5\n"
         "140 7 22.8\n"
         "千葉県土木部\n"
         "西暦 2001 7 2 2001 7 15\n"
         "房総地研\n"
         "12.35\n"
         "山田太郎 鈴木一郎 高橋三郎 佐藤次郎\n"
         "12 90 0 270\n"
         "ロータリー\n"
         "ロータリー式(オイルフィード)\n"
         "YBM-05\n"
         "66\n"
         "12.50 -1 -1\n"
         "10.00 -1 3 soilpat.asg\n"
         "5.00 沖積粘性土 粘土 @ @ \n"
         "-1\n"
         "-1\n"
         "-1\n"
         "-1\n"
         "-1\n"
         "-1\n"
         "1100 b_no B-1\n"
         "1100 s_no @\n"
         "1100 minw -1\n"
         "1100 org @\n"
         "1100 mod @\n";
}

std::string Readable(const std::string& record_file) {
  std::string text = Utf8(record_file);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::string FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : " ") + name;
  return joined;
}

}  // namespace tavrimen::testing
