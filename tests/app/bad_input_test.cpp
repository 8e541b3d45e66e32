// What the converter does with bad data and a failing disk: every case names the outcome it
// expects, and every run must end with the window idle, one message at most, and either a
// complete record file or none (an earlier record file untouched).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "app/conversion_run.h"
#include "app/data_check.h"
#include "support/data_set.h"
#include "support/drive_table.h"
#include "support/fake_window.h"
#include "support/faulty_file_system.h"

namespace tavrimen {
namespace {

using testing::FakeWindow;
using testing::FileNames;
using testing::Readable;
using testing::ReadFile;
using testing::Sj;
using testing::TempFolder;
using testing::WriteFile;
using testing::WriteFiles;
using Operation = testing::FaultyFileSystem::Operation;

const std::string kEarlier = "earlier record file";

// C: holds PATDAT\ (the standard tables), DATA\B-1\ (the minimal boring) and OUT\ with an earlier
// record file B-1.
class BadInput {
 public:
  BadInput() : drives_("C=" + root_.path().string()) {
    WriteFiles(Patdat(), testing::StandardPatdat());
    WriteFiles(Source(), testing::MinimalBoring());
    WriteFile(Out() / "B-1", kEarlier);
  }

  std::filesystem::path Patdat() const { return root_.path() / "PATDAT"; }
  std::filesystem::path Source() const { return root_.path() / "DATA" / "B-1"; }
  std::filesystem::path Out() const { return root_.path() / "OUT"; }
  void Write(const std::string& name, const std::string& utf8) {
    WriteFiles(Source(), {{name, utf8}});
  }
  void WriteBytes(const std::string& name, const std::string& bytes) {
    WriteFile(Source() / name, bytes);
  }
  void Remove(const std::string& name) { std::filesystem::remove(Source() / name); }
  void RemoveTable(const std::string& name) { std::filesystem::remove(Patdat() / name); }

  std::string destination = "C:\\OUT";
  std::string source = "C:\\DATA\\B-1";
  TempFolder root_;
  testing::ScopedDrives drives_;
  testing::FaultyFileSystem files{drives_.Files()};
};

enum class Expect { kRecordFile, kRefusal, kFailure };

struct Case {
  const char* name;
  std::function<void(BadInput&)> setup;
  Expect expect;
  // A record file line that must be there (UTF-8), or the start of the message.
  std::string detail;
  // What else must hold after the run.
  std::function<void(BadInput&)> after = nullptr;
};

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

std::string X6Record(int i) {
  std::string record = "1,S" + std::to_string(i) + ",1,0,1,2,0,0,1";
  for (int c = 0; c < 19 + 40; ++c) record += ",";
  return record + "\n";
}

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      // Source files that are missing, empty, binary or very large.
      {"missing CNT.TXT", [](BadInput& b) { b.Remove("CNT.TXT"); }, Expect::kRecordFile,
       "10.00 -1 -1 soilpat.asg"},
      {"empty CNT.TXT", [](BadInput& b) { b.WriteBytes("CNT.TXT", ""); }, Expect::kRecordFile,
       "1100 b_no @"},
      {"binary CNT.TXT",
       [](BadInput& b) { b.WriteBytes("CNT.TXT", std::string("\x00\xff,\x01\x02,\x80", 8)); },
       Expect::kRecordFile, "10.00 -1 -1 soilpat.asg"},
      {"very large CNT.TXT",
       [](BadInput& b) { b.Write("CNT.TXT", "a,1,B,0,1,7" + Repeat(",x", 500000)); },
       Expect::kRecordFile, "10.00 -1 7 soilpat.asg"},
      {"missing X1.txt", [](BadInput& b) { b.Remove("X1.txt"); }, Expect::kRefusal,
       std::string(kNoGeologyMessage)},
      {"empty X1.txt", [](BadInput& b) { b.WriteBytes("X1.txt", ""); }, Expect::kRefusal,
       std::string(kNoGeologyMessage)},
      {"X1.txt of one end mark", [](BadInput& b) { b.WriteBytes("X1.txt", "\x1a"); },
       Expect::kRecordFile, "10.00 -1 3 soilpat.asg"},
      {"binary X1.txt",
       [](BadInput& b) { b.WriteBytes("X1.txt", std::string("\x00\x01\xfe\xff\x81", 5)); },
       Expect::kRecordFile, "1100 b_no B-1"},
      {"NUL bytes inside fields",
       [](BadInput& b) { b.WriteBytes("X3.txt", std::string("1,5.00,0\x006,0,,0,0\r\n", 19)); },
       Expect::kRecordFile, "-1"},
      {"unterminated quote", [](BadInput& b) { b.Write("X14.txt", "1,5.00,\"grey,soft\n"); },
       Expect::kRecordFile, "5.00 沖積粘性土 粘土 grey,soft @ "},
      {"bytes that are not code page 932",
       [](BadInput& b) { b.WriteBytes("X12.txt", "1,1.00,abc\x81\r\n1,,\xff\xfe\xfd\r\n"); },
       Expect::kRecordFile, "[1.00]abc?"},
      {"empty title files",
       [](BadInput& b) {
         b.WriteBytes("Titl01.txt", "");
         b.WriteBytes("Titl02.txt", "");
       },
       Expect::kRecordFile, "西暦 -1 -1 -1 -1 -1 -1"},
      {"title file with thousands of fields",
       [](BadInput& b) { b.Write("Titl01.txt", "name" + Repeat(",f", 5000)); }, Expect::kRecordFile,
       "name"},
      {"lone CR line ends",
       [](BadInput& b) { b.WriteBytes("X1.txt", "1,2.00,10,0\r1,5.00,20,0\r"); },
       Expect::kRecordFile, "2.00 盛土 粘土 @ @ "},
      // Numbers beyond single precision.
      {"overflowing depth in X1.txt", [](BadInput& b) { b.Write("X1.txt", "1,1e39,20,0\n"); },
       Expect::kFailure, "数値が大きすぎるため変換できません。\nC:\\DATA\\B-1\\X1.txt\n「1e39」"},
      {"overflowing hundredths in X5.TXT",
       [](BadInput& b) { b.Write("X5.TXT", "1,1,0,0,9e99,,,,,,\n"); }, Expect::kFailure,
       "数値が大きすぎるため変換できません。\nC:\\DATA\\B-1\\X5.TXT"},
      {"overflowing CNT.TXT field 5", [](BadInput& b) { b.Write("CNT.TXT", "a,1,B,0,4e38,3\n"); },
       Expect::kFailure, "数値が大きすぎるため変換できません。\nC:\\DATA\\B-1\\CNT.TXT"},
      {"overflowing whole part in Titl02.txt",
       [](BadInput& b) { b.Write("Titl02.txt", Repeat("0,", 24) + "1e40\n"); }, Expect::kFailure,
       "数値が大きすぎるため変換できません。\nC:\\DATA\\B-1\\Titl02.txt"},
      // Short last records.
      {"overflowing X5 depth sum",
       [](BadInput& b) { b.Write("X5.TXT", "1,3.4e38,0,0,1e38,,,,,,\n"); }, Expect::kFailure,
       "数値が大きすぎるため変換できません。\nC:\\DATA\\B-1\\X5.TXT"},
      {"line ends inside quoted fields",
       [](BadInput& b) {
         b.Write("X5.TXT", "1,3,0,0,15,\"a\nb\",,,,,\n");
         b.Write("X12.txt", "1,1.00,\"note\nsecond\"\n");
       },
       Expect::kRecordFile, "3 3.15 a b -1 -1 -1 -1 -1\n"},
      {"short last X5 record", [](BadInput& b) { b.Write("X5.TXT", "1,2,0,0,50\n"); },
       Expect::kRecordFile, "2 2.50 -1 -1 -1 -1 -1 -1"},
      {"short last X6 record", [](BadInput& b) { b.Write("X6.TXT", "1,S,7,0,1.00"); },
       Expect::kRecordFile, "1.00 9999 S F"},
      {"short last X7 record", [](BadInput& b) { b.Write("X7.TXT", "1,0,0,0,1.00,2.00,0,0,1"); },
       Expect::kRecordFile, "1300 1.00 2.00 標準貫入試験 @"},
      {"short last layer record", [](BadInput& b) { b.Write("X3.txt", "1,5.00"); },
       Expect::kRecordFile, "5.00 沖積粘性土  @ @ "},
      // Sizes.
      {"more lines than the record file holds",
       [](BadInput& b) { b.Write("X5.TXT", Repeat("1,1,0,0,0,,,,,,\n", 1000)); }, Expect::kFailure,
       "記録ファイルの行数が上限の1000行を超える"},
      {"more than 100 X6 records",
       [](BadInput& b) {
         std::string records;
         for (int i = 0; i < 150; ++i) records += X6Record(i);
         b.Write("X6.TXT", records);
       },
       Expect::kRecordFile, "1 2 S149 T"},
      {"a note group of hundreds of lines",
       [](BadInput& b) { b.Write("X12.txt", "1,1.00,first\n" + Repeat("1,,more\n", 400)); },
       Expect::kRecordFile, "[1.00]first"},
      {"a note group longer than the record file",
       [](BadInput& b) { b.Write("X12.txt", "1,1.00," + Repeat("a", 80000) + "\n"); },
       Expect::kFailure, "記録ファイルの行数が上限の1000行を超える"},
      // The disk.
      {"read-only source folder",
       [](BadInput& b) {
         b.files.FailBelow(b.Source(), Operation::kCreate, EROFS);
         b.files.FailBelow(b.Source(), Operation::kDelete, EROFS);
       },
       Expect::kRecordFile, "1100 b_no B-1"},
      {"read-only destination",
       [](BadInput& b) { b.files.FailBelow(b.Out(), Operation::kCreate, EROFS); }, Expect::kFailure,
       "記録ファイルを書き込めません。\nC:\\OUT\\B-1\n読み取り専用のドライブです。"},
      {"disk full while writing",
       [](BadInput& b) { b.files.FailBelow(b.Out(), Operation::kWrite, ENOSPC); }, Expect::kFailure,
       "記録ファイルを書き込めません。\nC:\\OUT\\B-1\nディスクの空き容量が足りません。"},
      {"an X1.txt layer deeper than 9999 m after the last X3.txt layer",
       [](BadInput& b) {
         b.Write("X1.txt", "1,1.00,10,0\n1,10000.00,20,0\n");
         b.Write("X3.txt", "1,1.00,01,0,,0,0\n");
       },
       Expect::kFailure,
       "9999 m を超える深度の層は変換できません。\nC:\\DATA\\B-1\\X1.txt\n「10000.00」"},
      {"a name longer than the system allows",
       [](BadInput& b) { b.files.FailBelow(b.Out(), Operation::kCreate, ENAMETOOLONG); },
       Expect::kFailure, "記録ファイルを書き込めません。\nC:\\OUT\\B-1\n名前が長すぎます。"},
      {"destination path is a file",
       [](BadInput& b) {
         WriteFile(b.Out() / "file.txt", "x");
         b.destination = "C:\\OUT\\file.txt";
       },
       Expect::kFailure, "記録ファイルを書き込めません。\nC:\\OUT\\file.txt\\B-1\n"},
      {"destination folder cannot be created",
       [](BadInput& b) {
         b.files.FailBelow(b.Out() / "NEW", Operation::kMakeFolder, EACCES);
         b.destination = "C:\\OUT\\NEW";
       },
       Expect::kFailure, "フォルダを作成できません。\nC:\\OUT\\NEW\nアクセスが拒否されました。"},
      {"source folder deleted while the run works",
       [](BadInput& b) {
         b.files.FailBelow(b.Source(), Operation::kRead, ENOENT);
         b.files.FailBelow(b.Source(), Operation::kCreate, ENOENT);
       },
       Expect::kFailure, "ファイルを読み込めません。\nC:\\DATA\\B-1\\Titl01.txt\n"},
      // Reference tables.
      {"missing KISHITU.TXT", [](BadInput& b) { b.RemoveTable("KISHITU.TXT"); }, Expect::kFailure,
       "参照テーブルを読み込めません。\nC:\\PATDAT\\KISHITU.TXT\n"},
      {"missing L4.TXT", [](BadInput& b) { b.RemoveTable("L4.TXT"); }, Expect::kFailure,
       "参照テーブルを読み込めません。\nC:\\PATDAT\\L4.TXT\n"},
      {"missing L2.TXT", [](BadInput& b) { b.RemoveTable("L2.TXT"); }, Expect::kFailure,
       "参照テーブルを読み込めません。\nC:\\PATDAT\\L2.TXT\n"},
      {"missing L8.TXT",
       [](BadInput& b) {
         b.RemoveTable("L8.TXT");
         b.Write("X7.TXT", "1,0,0,0,1,2,0,0,1\n");
       },
       Expect::kFailure, "参照テーブルを読み込めません。\nC:\\PATDAT\\L8.TXT\n"},
      {"missing L10.TXT",
       [](BadInput& b) {
         b.RemoveTable("L10.TXT");
         b.Write("X11.TXT", "1,1.00,1,0,0\n");
       },
       Expect::kFailure, "参照テーブルを読み込めません。\nC:\\PATDAT\\L10.TXT\n"},
      {"missing L100.TXT",
       [](BadInput& b) {
         b.RemoveTable("L100.TXT");
         b.Write("X6.TXT", X6Record(1));
       },
       Expect::kFailure, "参照テーブルを読み込めません。\nC:\\PATDAT\\L100.TXT\n"},
      {"binary KISHITU.TXT",
       [](BadInput& b) {
         WriteFile(b.Patdat() / "KISHITU.TXT", std::string("\x00\xff\x81,\x01", 5));
       },
       Expect::kRecordFile, "5.00 @ 粘土 @ @ "},
      // Files that are no data files, and one larger than any data file.
      {"a folder named X5.TXT",
       [](BadInput& b) { std::filesystem::create_directories(b.Source() / "X5.TXT"); },
       Expect::kFailure,
       "ファイルを読み込めません。\nC:\\DATA\\B-1\\X5.TXT\n通常のファイルではありません。"},
      {"a source that is a file",
       [](BadInput& b) {
         WriteFile(b.Source().parent_path() / "B-2", "not a folder");
         b.source = "C:\\DATA\\B-2";
       },
       Expect::kRefusal, std::string(kSourceNotAFolderMessage)},
      {"X1.txt larger than any data file",
       [](BadInput& b) {
         WriteFile(b.Source() / "X1.txt", "");
         std::filesystem::resize_file(b.Source() / "X1.txt", (64 << 20) + 1);
       },
       Expect::kFailure,
       "ファイルを読み込めません。\nC:\\DATA\\B-1\\X1.txt\nファイルが大きすぎます"},
#ifndef _WIN32
      {"a pipe named X5.TXT, which is left in place",
       [](BadInput& b) {
         b.Remove("X5.TXT");
         ASSERT_EQ(mkfifo((b.Source() / "X5.TXT").c_str(), 0644), 0);
       },
       Expect::kFailure,
       "ファイルを読み込めません。\nC:\\DATA\\B-1\\X5.TXT\n通常のファイルではありません。",
       [](BadInput& b) { EXPECT_TRUE(std::filesystem::is_fifo(b.Source() / "X5.TXT")); }},
      {"a pipe named L4.TXT",
       [](BadInput& b) {
         b.RemoveTable("L4.TXT");
         ASSERT_EQ(mkfifo((b.Patdat() / "L4.TXT").c_str(), 0644), 0);
       },
       Expect::kFailure,
       "参照テーブルを読み込めません。\nC:\\PATDAT\\L4.TXT\n通常のファイルではありません。"},
      {"a table that is a link to an endless device",
       [](BadInput& b) {
         b.RemoveTable("L2.TXT");
         std::filesystem::create_symlink("/dev/zero", b.Patdat() / "L2.TXT");
       },
       Expect::kFailure, "参照テーブルを読み込めません。\nC:\\PATDAT\\L2.TXT\n"},
      {"a link to an empty X6.TXT, which is left in place",
       [](BadInput& b) {
         WriteFile(b.Source().parent_path() / "empty", "");
         std::filesystem::create_symlink(b.Source().parent_path() / "empty", b.Source() / "X6.TXT");
       },
       Expect::kRecordFile, "1100 b_no B-1",
       [](BadInput& b) { EXPECT_TRUE(std::filesystem::is_symlink(b.Source() / "X6.TXT")); }},
#endif
  };
  return cases;
}

TEST(BadInput, EveryCaseEndsIdleWithACompleteRecordFileOrAClearMessage) {
  ASSERT_GE(Cases().size(), 30u);
  for (const Case& c : Cases()) {
    BadInput b;
    c.setup(b);
    FakeWindow window(b.destination, b.source);
    window.boxes.answers = {MessageAnswer::kYes};
    const RunOutcome outcome = Command1_Click(window, b.files, "C:\\PATDAT\\");
    EXPECT_EQ(window.pointer, Pointer::kDefault) << c.name;
    std::vector<testing::ShownMessage> messages;
    for (const auto& shown : window.boxes.shown) {
      if (shown.buttons == MessageButtons::kOk) messages.push_back(shown);
    }
    const std::string record = ReadFile(b.Out() / "B-1");
    switch (c.expect) {
      case Expect::kRecordFile:
        EXPECT_EQ(outcome, RunOutcome::kConverted) << c.name;
        EXPECT_TRUE(messages.empty())
            << c.name << ": " << (messages.empty() ? "" : messages[0].text);
        EXPECT_EQ(window.label3, kConvertedText) << c.name;
        EXPECT_EQ(record.substr(0, 11), "TPJ Ge201\r\n") << c.name;
        EXPECT_EQ(record.substr(record.size() - 2), "\r\n") << c.name;
        EXPECT_NE(Readable(record).find(c.detail), std::string::npos)
            << c.name << ": no line " << c.detail;
        break;
      case Expect::kRefusal:
      case Expect::kFailure:
        EXPECT_EQ(outcome,
                  c.expect == Expect::kRefusal ? RunOutcome::kRefused : RunOutcome::kFailed)
            << c.name;
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_EQ(messages[0].icon, MessageIcon::kExclamation) << c.name;
        EXPECT_EQ(messages[0].text.rfind(c.detail, 0), 0u) << c.name << ": " << messages[0].text;
        EXPECT_EQ(window.label3, "") << c.name;
        EXPECT_EQ(record, kEarlier) << c.name;
        break;
    }
    EXPECT_EQ(FileNames(b.Out()).find(".tavrimen-"), std::string::npos)
        << c.name << ": a temporary file was left behind";
    if (c.after) c.after(b);
  }
}

TEST(BadInput, MegabytesOfLineEndsAfterTheDataCostTheirLengthOnce) {
  // Each record read scanned the trailing line ends again: this took half a minute.
  BadInput b;
  b.WriteBytes("X12.txt", Repeat("1,,\r\n", 20000) + std::string(1'000'000, '\n'));
  b.WriteBytes("X1.txt", ReadFile(b.Source() / "X1.txt") + std::string(4'000'000, '\x1a'));
  FakeWindow window("C:\\OUT", "C:\\DATA\\B-1");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Command1_Click(window, b.files, "C:\\PATDAT\\"), RunOutcome::kConverted);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

// AddressSanitizer maps shadow memory, keeps freed memory for a while and cannot run in a limited
// address space: there a peak says nothing of the program.
#if defined(__SANITIZE_ADDRESS__)
#define TAVRIMEN_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVRIMEN_ADDRESS_SANITIZER
#endif
#endif

#if !defined(_WIN32) && !defined(TAVRIMEN_ADDRESS_SANITIZER)
// The peak resident memory, in bytes, of a child process that runs `work`; nothing when the work
// failed. The child may take at most `room` bytes of address space more than it starts with, so
// that a reader costing many times its file fails at once rather than driving the machine into
// swap.
std::optional<long long> PeakOfChild(const std::function<bool()>& work, long long room) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    long long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const auto limit = static_cast<rlim_t>(pages * sysconf(_SC_PAGESIZE) + room);
    const rlimit address_space{limit, limit};
    setrlimit(RLIMIT_AS, &address_space);
    bool done = false;
    try {
      done = work();
    } catch (...) {
      // the child must end here whatever happens, never go on with the tests
    }
    _exit(done ? 0 : 1);
  }
  int status = 0;
  rusage usage{};
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return std::nullopt;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return usage.ru_maxrss * 1024LL;
}

TEST(BadInput, AnX7OfTensOfMegabytesCostsAboutItsSizeToConvertAndToCheck) {
  // Each item of the file was an object of its own: a file of many small items cost twenty to
  // thirty times its size. Sixty-eight items a record, most of them empty or one digit; the codes
  // are all zero, so the conversion writes no line of them.
  BadInput b;
  const long long size = 24 << 20;
  {
    std::ofstream x7(b.Source() / "X7.TXT", std::ios::binary);
    const std::string record = "1,0,0,0,1.00,1.50" + Repeat(",0", 20) + Repeat(",", 42) + "\r\n";
    for (long long written = 0; written < size; written += static_cast<long long>(record.size())) {
      x7 << record;
    }
  }
  const long long bound = 2 * size + (32 << 20);
  const auto conversion = PeakOfChild(
      [&b] {
        FakeWindow window("C:\\OUT", "C:\\DATA\\B-1");
        return Command1_Click(window, b.files, "C:\\PATDAT\\") == RunOutcome::kConverted;
      },
      4 * bound);
  ASSERT_TRUE(conversion) << "the conversion failed, or needed more than four times the bound";
  EXPECT_LT(*conversion, bound) << "the conversion's peak resident memory";
  const auto check = PeakOfChild(
      [&b] {
        const auto findings = CheckDataSet(b.files, "C:\\DATA\\B-1\\", "C:\\PATDAT\\");
        return std::none_of(findings.begin(), findings.end(),
                            [](const Finding& f) { return f.severity == Severity::kError; });
      },
      4 * bound);
  ASSERT_TRUE(check) << "the check found an error, or needed more than four times the bound";
  EXPECT_LT(*check, bound) << "the check's peak resident memory";
}
#endif

TEST(BadInput, ReadOnlySourceFolderIsLeftAsItWas) {
  BadInput b;
  b.files.FailBelow(b.Source(), Operation::kCreate, EROFS);
  b.files.FailBelow(b.Source(), Operation::kDelete, EROFS);
  b.WriteBytes("X5.TXT", "");
  const std::string before = FileNames(b.Source());
  FakeWindow window("C:\\OUT", "C:\\DATA\\B-1");
  EXPECT_EQ(Command1_Click(window, b.files, "C:\\PATDAT\\"), RunOutcome::kConverted);
  EXPECT_EQ(FileNames(b.Source()), before);
}

}  // namespace
}  // namespace tavrimen
