// XML borings as sources: every real boring converts, and its record file, read back, says what
// the XML says; bad XML is refused with its file and line; XML borings are found and named as
// data sets are.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "app/conversion_run.h"
#include "cli/cli_fixture.h"
#include "cli/run_source.h"
#include "platform/cp932.h"
#include "platform/xml_tree.h"
#include "preview/boring_log.h"
#include "source/xml_boring.h"
#include "support/drive_table.h"
#include "support/fake_window.h"

namespace tavrimen::cli {
namespace {

std::vector<std::filesystem::path> RealBorings() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(TAVRIMEN_REALXML_DIR)) {
    if (entry.path().extension() == ".xml") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

double Metres(std::string_view text) { return std::strtod(std::string(text).c_str(), nullptr); }

// A name as a record line holds it: one field, blanks as underscores, "@" for none.
std::string AsField(const std::string& utf8) {
  if (utf8.empty()) return "@";
  std::string field;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == ' ') {
      field += '_';
    } else if (utf8.compare(i, 3, "\xE3\x80\x80") == 0) {
      field += "__";
      i += 2;
    } else {
      field += utf8[i];
    }
  }
  return field;
}

std::string Utf8(std::string_view cp932_text) { return cp932::ToUtf8(cp932_text); }

TEST(XmlSources, EveryRealBoringConvertsAndItsRecordFileSaysWhatTheXmlSays) {
  const auto files = RealBorings();
  ASSERT_EQ(files.size(), 18u);
  testing::TestDrives drives;
  for (const std::filesystem::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    TempFolder out;
    platform::DiskFileSystem& disk = drives.Files();
    const platform::DriveFormPath xml(*drives.table().ToDriveForm(file));
    RunSource run(disk, xml, "");
    testing::FakeWindow window(out.DriveForm() + "out", run.folder().text());
    window.boxes.answers.push_back(MessageAnswer::kYes);
    ASSERT_EQ(Command1_Click(window, run.files(), run.patdat()), RunOutcome::kConverted)
        << ::testing::PrintToString(window.events);
    const std::string record =
        ReadFile(out.path() / "out" / platform::Utf8Path(run.xml()->folder_name));
    const preview::BoringLog log = preview::ReadBoringLog(record);

    const XmlBoring boring = ReadXmlBoring(platform::ParseXml(ReadFile(file)));
    ASSERT_EQ(log.layers.size(), boring.layers.size());
    for (std::size_t i = 0; i < log.layers.size(); ++i) {
      EXPECT_DOUBLE_EQ(log.layers[i].bottom.value.value_or(-1), Metres(boring.layers[i].bottom));
      EXPECT_EQ(Utf8(log.layers[i].geology), AsField(boring.layers[i].geology));
      if (!boring.layers[i].soil.empty()) {
        EXPECT_EQ(Utf8(log.layers[i].soil), AsField(boring.layers[i].soil));
      }
    }
    // Each note's first line opens its first note line, at its top, wrapped or not.
    std::vector<std::string> first_lines;
    for (std::string_view line : log.notes) {
      if (line.starts_with("[")) first_lines.push_back(Utf8(line));
    }
    for (const XmlNote& note : boring.notes) {
      const std::string first = note.text.substr(0, note.text.find('\n'));
      if (first.empty()) continue;
      const bool found = std::any_of(first_lines.begin(), first_lines.end(), [&](auto& line) {
        const std::string text = line.substr(line.find(']') + 1);
        return Metres(line.substr(1)) == Metres(note.top) && first.starts_with(text);
      });
      EXPECT_TRUE(found) << note.top << " " << first;
    }
    // N is the blows scaled to 30 cm, rounded half up.
    ASSERT_EQ(log.penetrations.size(), boring.penetration_tests.size());
    for (std::size_t i = 0; i < log.penetrations.size(); ++i) {
      const XmlPenetrationTest& test = boring.penetration_tests[i];
      EXPECT_NEAR(log.penetrations[i].depth.value.value_or(-1), Metres(test.depth), 0.005);
      const double penetration = Metres(test.total_penetration);
      if (test.self_sinking) {
        EXPECT_EQ(log.penetrations[i].n_value.value, 0);
      } else if (penetration > 0 && !test.total_blows.empty()) {
        EXPECT_EQ(log.penetrations[i].n_value.value,
                  std::floor(Metres(test.total_blows) * 30 / penetration + 0.5));
      }
    }
    ASSERT_EQ(log.water_levels.size(), boring.water_levels.size());
    for (std::size_t i = 0; i < log.water_levels.size(); ++i) {
      EXPECT_DOUBLE_EQ(log.water_levels[i].depth.value.value_or(-1),
                       Metres(boring.water_levels[i].depth));
    }
  }
}

class XmlCliTest : public CliTest {
 protected:
  void Write(const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories((root_.path() / name).parent_path());
    std::ofstream(root_.path() / name, std::ios::binary) << bytes;
  }
  static std::string Boring(const std::string& name, const std::string& columns) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<ボーリング情報 DTD_version=\"4.00\"><標題情報><調査基本情報><ボーリング名>" +
           name + "</ボーリング名></調査基本情報></標題情報>\n<コア情報>" + columns +
           "</コア情報></ボーリング情報>\n";
  }
  static std::string Layer(const std::string& bottom, const std::string& name) {
    return "<工学的地質区分名現場土質名><工学的地質区分名現場土質名_下端深度>" + bottom +
           "</工学的地質区分名現場土質名_下端深度><工学的地質区分名現場土質名_"
           "工学的地質区分名現場土質名>" +
           name +
           "</工学的地質区分名現場土質名_工学的地質区分名現場土質名></"
           "工学的地質区分名現場土質名>";
  }
};

TEST_F(XmlCliTest, BadXmlIsRefusedWithItsFileAndLineAndWritesNothing) {
  const std::string bomb =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE ボーリング情報 [\n<!ENTITY a \"aaaaaaaaaa\">\n"
      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>\n<ボーリング情報>&b;</ボーリング情報>\n";
  const struct {
    std::string bytes;
    std::string said;
  } cases[] = {
      {"<?xml version=\"1.0\"?>\n<ボーリング情報>\n<標題情報>\n</ボーリング情報>\n",
       "bad.xml の 4 行目"},
      {"<?xml version=\"1.0\"?>\n<他の情報/>\n", "ボーリング情報の XML ではありません。"},
      {bomb, "bad.xml の 3 行目"},
      {Boring("B-1", ""), "地質区分が入力されていません。"},
      {Boring("B-1", Layer("1e9", "砂")), "bad.xml の 3 行目"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said);
    Write("bad.xml", c.bytes);
    const Result r = Convert("bad.xml out");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::is_empty(root_.path() / "out"));
  }
  // Over the bound of data files, before it is read.
  std::filesystem::resize_file(root_.path() / "bad.xml", (std::uintmax_t{64} << 20) + 1);
  EXPECT_NE(Convert("bad.xml out").err.find("ファイルが大きすぎます"), std::string::npos);
}

TEST_F(XmlCliTest, RecordFilesAreNamedAfterTheBoringOrElseTheFile) {
  Write("data/BED0001.XML", Boring("No.1", Layer("004.15", "砂礫")));
  Write("data/BED0002.XML", Boring("", Layer("2.00", "粘土")));
  Write("data/BED0003.XML", Boring(" No.1 ", Layer("3.00", "砂")));
  Write("data/BED0004.XML", Boring("nul.txt", Layer("3.00", "砂")));
  const Result r = Convert("--yes data out");
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(testing::FileNames(root_.path() / "out"), "BED0002 BED0004 No.1");
  // The third boring takes the first one's record file name: it is refused, not written over it.
  EXPECT_NE(r.err.find("BED0003.XML"), std::string::npos) << r.err;
  // Leading zeros are not written.
  EXPECT_NE(ReadFile(root_.path() / "out" / "No.1").find("\r\n4.15 "), std::string::npos);
}

TEST_F(XmlCliTest, AllFindsXmlBoringsBesideDataSetsAndCheckReportsWhatWasDropped) {
  Write("site/BORING/DATA/BED0001.XML",
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n" +
            cp932::FromUtf8(Boring("X-1", Layer("1.00", "砂")).substr(39)));
  Write("site/BORING/DATA/notes.xml", "<?xml version=\"1.0\"?>\n<other/>\n");
  WriteFiles(root_.path() / "site" / "B-1", MinimalBoring());
  const Result r = Convert("--patdat patdat --yes --all site out");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(testing::FileNames(root_.path() / "out"), "B-1 X-1");

  Write("part.xml", Boring("P-1", Layer("1.00", "砂") +
                                      "<孔内水位><孔内水位_測定年月日>2020-05</孔内水位_測定年月日>"
                                      "<孔内水位_孔内水位>0.50</孔内水位_孔内水位></孔内水位>"));
  const Result check = Convert("--check part.xml");
  EXPECT_NE(check.out.find("part.xml"), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("note"), std::string::npos) << check.out;
  const Result converted = Convert("part.xml out");
  EXPECT_EQ(converted.status, 0) << converted.err;
  // The water level's day is unknown: its mark.
  EXPECT_NE(ReadFile(root_.path() / "out" / "P-1").find("\r\n0.50 05 -1\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tavrimen::cli
