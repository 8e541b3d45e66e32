// A batch at scale: tavrimen-convert --all over N generated borings against the input/output floor.
//
// batch_bench N [JOBS] generates N borings of sixteen sizes, 1,000 to a site folder, with one
// pattern-data folder, in a fresh folder under $TMPDIR (or /tmp). It then measures, warm from the
// generation:
// - the conversion: tavrimen-convert --all with JOBS worker threads (default: the number of cores),
//   as a process, with its peak resident memory;
// - the floor: in this process with as many threads, reading every input file once (each boring's
//   files and the pattern data) and writing a file of each record file's size once.
// - the pictures' share: the same conversion with --svg, against the one without; and what the
//   pictures' files alone add, as the floor with a file of each picture's size written besides.
// They take turns in nine passes (each pass: the conversion, with pictures twice, again, then the
// floor), each run into a new folder after the files written before are on the disk; the best
// time of each counts, and the median of the passes' shares of the pictures.
// It prints the time per boring of both, their ratio, the peak memory, and the time per boring of
// the first and the last thousand conversions (from the record files' modification times), each
// with its target; exit status 1 when a target is missed. --keep leaves the generated folder.
//
// batch_bench N [JOBS] --xml measures a folder of N XML borings instead: the typical boring of
// bench/xml_boring_generator.h, each file with its own boring name, all in one folder, which
// tavrimen-convert --yes FOLDER OUT converts as a batch (with -j JOBS). Three passes, each the
// conversion into a new folder and the floor (reading every XML file once, writing a file of
// each record file's size once); the best time of each counts, and the least CPU time of the
// conversions is shown besides. Target: 10,000 borings in under 30 s (scaled for other N).
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "bench/batch_floor.h"
#include "bench/bench_process.h"
#include "bench/data_set_generator.h"
#include "bench/xml_batch.h"

namespace tavrimen::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kVariants = 16;
constexpr int kBoringsPerSite = 1000;

struct TemplateFile {
  std::string name;
  std::string bytes;
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

// Writes the borings; returns their folders in the order of their names.
std::vector<std::string> GenerateBorings(const fs::path& root, int count) {
  std::vector<std::vector<TemplateFile>> variants(kVariants);
  for (int v = 0; v < kVariants; ++v) {
    const fs::path folder = root / "templates" / std::to_string(v);
    WriteVariedBoring(folder, v);
    for (const auto& entry : fs::directory_iterator(folder)) {
      variants[static_cast<std::size_t>(v)].push_back(
          {entry.path().filename().string(), ReadAll(entry.path())});
    }
  }
  fs::remove_all(root / "templates");
  std::vector<std::string> borings;
  char name[32];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, "site-%03d", i / kBoringsPerSite);
    const fs::path site = root / "borings" / name;
    if (i % kBoringsPerSite == 0) fs::create_directories(site);
    std::snprintf(name, sizeof name, "B-%05d", i);
    const std::string folder = (site / name).string();
    mkdir(folder.c_str(), 0755);
    for (const TemplateFile& file : variants[static_cast<std::size_t>(i * 7 % kVariants)]) {
      WriteAll(folder + "/" + file.name, Replaced(file.bytes, "TYPICAL", name));
    }
    borings.push_back(folder);
  }
  return borings;
}

// Runs tavrimen-convert into `out` (with a picture of each boring in `out`-svg when `pictures`);
// returns its wall time in seconds and its peak resident memory in KB.
std::pair<double, long> RunConvert(const fs::path& root, const std::string& out_name, int jobs,
                                   bool pictures = false) {
  fs::create_directories(root / out_name);
  const std::string out = (root / out_name).string();
  std::vector<std::string> args = {
      "--patdat", (root / "patdat").string(), "--all", (root / "borings").string(), out,
      "-j",       std::to_string(jobs)};
  if (pictures) args.push_back("--svg=" + out + "-svg");
  // After the files of the runs before are written out (so that the system's writing them back
  // does not fall on this run).
  sync();
  const ProcessRun run = RunTool(args);
  return {run.seconds, run.peak_kb};
}

// Passes of the runs; a median of nine shares outweighs the passes that a slow moment of the file
// system or of the machine fell on (on a virtual machine, single passes range from half to twice
// the median).
constexpr int kPasses = 9;

double Seconds(const timespec& t) { return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9; }

}  // namespace
}  // namespace tavrimen::bench

int main(int argc, char** argv) {
  using namespace tavrimen::bench;
  std::vector<std::string> args(argv + 1, argv + argc);
  // --keep leaves the generated folder behind, for profiling.
  const auto keep_flag = std::find(args.begin(), args.end(), "--keep");
  const bool keep = keep_flag != args.end();
  if (keep) args.erase(keep_flag);
  // --xml measures a folder of XML borings.
  const auto xml_flag = std::find(args.begin(), args.end(), "--xml");
  const bool xml = xml_flag != args.end();
  if (xml) args.erase(xml_flag);
  if (args.empty()) {
    std::fprintf(stderr, "usage: batch_bench N [JOBS] [--keep] [--xml]\n");
    return 2;
  }
  const int count = std::stoi(args[0]);
  const int jobs = args.size() > 1
                       ? std::stoi(args[1])
                       : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  // Under $TMPDIR when it is set (a memory file system takes the disk's state out of the figures).
  const char* tmpdir = std::getenv("TMPDIR");
  std::string pattern = std::string(tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp") +
                        "/tavrimen-batch.XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("batch_bench: cannot make its folder");
    return 1;
  }
  const fs::path root = pattern;
  try {
    std::printf("generating %d %sborings in %s ...\n", count, xml ? "XML " : "", root.c_str());
    std::fflush(stdout);
    if (xml) {
      const int status = XmlBatch(root, count, jobs);
      if (!keep) fs::remove_all(root);
      return status;
    }
    WritePatternData(root / "patdat");
    const std::vector<std::string> borings = GenerateBorings(root, count);
    std::fflush(stdout);

    // Both times vary with the file system's state (creating files is slow for a while after
    // many were deleted), so the conversion and the floor take turns in kPasses passes, and the
    // best time of each counts. The first conversion's record files give the floor its file
    // sizes.
    // The pictures' share is measured in each pass as plain, pictures, pictures, plain: a run
    // that comes second is often slower on a virtual machine (it needs memory the first one did
    // not), and a file system may speed up or slow down during the runs; in this order both weigh
    // on each side alike. The median of the passes' shares counts.
    // The floor also runs with a file of each picture's size written besides, in turns with the
    // plain floor: what the pictures' files alone add, were drawing free.
    double convert_seconds = 0, floor_seconds = 0, pictures_seconds = 0;
    std::vector<double> shares, file_shares;
    long peak_kb = 0;
    std::vector<std::size_t> sizes, picture_sizes;
    std::vector<double> finished;
    for (int pass = 1; pass <= kPasses; ++pass) {
      double plain_pass = 0, pictures_pass = 0;
      for (int run = 1; run <= 4; ++run) {
        const bool pictures = run == 2 || run == 3;
        const std::string out = "out-" + std::to_string(pass) + "-" + std::to_string(run);
        const auto [seconds, kb] = RunConvert(root, out, jobs, pictures);
        double& best = pictures ? pictures_seconds : convert_seconds;
        best = best == 0 ? seconds : std::min(best, seconds);
        (pictures ? pictures_pass : plain_pass) += seconds;
        if (pictures && picture_sizes.empty()) {
          for (const std::string& boring : borings) {
            const std::string name = fs::path(boring).filename().string() + ".svg";
            const struct stat info = StatOf(root / (out + "-svg") / name);
            picture_sizes.push_back(static_cast<std::size_t>(info.st_size));
          }
        }
        if (pictures) continue;
        peak_kb = std::max(peak_kb, kb);
        if (sizes.empty()) {
          for (const std::string& boring : borings) {
            const struct stat info = StatOf(root / out / fs::path(boring).filename());
            sizes.push_back(static_cast<std::size_t>(info.st_size));
            finished.push_back(Seconds(info.st_mtim));
          }
        }
      }
      shares.push_back((pictures_pass / plain_pass - 1) * 100);
      const std::string floor = (root / ("floor-" + std::to_string(pass))).string();
      double floor_pass = 0, with_files = 0;
      for (int run = 0; run < 2; ++run) {
        if ((run + pass) % 2 == 0) {
          floor_pass = RunFloor(root, floor, borings, sizes, jobs);
        } else {
          with_files = RunFloor(root, floor + "-pictures", borings, sizes, jobs, &picture_sizes);
        }
      }
      floor_seconds = pass == 1 ? floor_pass : std::min(floor_seconds, floor_pass);
      file_shares.push_back((with_files - floor_pass) / (plain_pass / 2) * 100);
    }

    const double n = count;
    std::printf("%d borings in %d site folders, %d jobs, %u cores\n", count,
                (count + kBoringsPerSite - 1) / kBoringsPerSite, jobs,
                std::thread::hardware_concurrency());
    std::printf("%-34s %10.2f s    %.1f us a boring\n", "floor (read once, write once)",
                floor_seconds, floor_seconds / n * 1e6);
    std::printf("%-34s %10.2f s    %.1f us a boring\n", "tavrimen-convert --all", convert_seconds,
                convert_seconds / n * 1e6);
    std::printf("%-34s %10.2f s    %.1f us a boring\n", "tavrimen-convert --all --svg",
                pictures_seconds, pictures_seconds / n * 1e6);
    bool met = Report("ratio to the floor", convert_seconds / floor_seconds, 3.0, "x");
    std::printf("%-34s", "pictures' share in each pass");
    for (double share : shares) std::printf(" %5.1f %%", share);
    std::printf("\n");
    std::sort(shares.begin(), shares.end());
    // A batch with pictures takes at most twice the batch without them.
    met = Report("pictures' share of the batch", shares[kPasses / 2], 100.0, "%") && met;
    std::sort(file_shares.begin(), file_shares.end());
    std::printf("%-34s %10.2f %%    (writing a file of each picture's size, without drawing)\n",
                "of it, the files alone", file_shares[kPasses / 2]);
    if (const int order = FreePageReportingOrder(); order >= 0) {
      std::printf(
          "%-34s this machine hands freed memory back to its host (blocks of order %d),\n"
          "%-34s which makes new files dearer than on a desktop\n",
          "", order, "");
    }
    met = Report("peak resident memory", peak_kb / 1024.0, 16.0, "MB") && met;
    met = Report("76,000 borings at this rate", convert_seconds / n * 76000, 60.0, "s") && met;
    if (count >= 2 * kBoringsPerSite) {
      std::sort(finished.begin(), finished.end());
      const double first = (finished[kBoringsPerSite] - finished[0]) / kBoringsPerSite;
      const double last =
          (finished.back() - finished[finished.size() - 1 - kBoringsPerSite]) / kBoringsPerSite;
      std::printf("%-34s %10.1f us   first thousand %.1f us\n", "last thousand, a boring",
                  last * 1e6, first * 1e6);
      met = Report("last thousand / first thousand", last / first, 1.2, "x") && met;
    }
    if (!keep) fs::remove_all(root);
    return met ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "batch_bench: %s\n", e.what());
    fs::remove_all(root);
    return 1;
  }
}
