#include "bench/xml_batch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/batch_floor.h"
#include "bench/bench_process.h"
#include "bench/xml_boring_generator.h"

namespace tavrimen::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Writes `count` XML borings into `folder`, B-00000.xml on, each named as its file; returns their
// paths in the order of their names.
std::vector<std::string> GenerateXmlBorings(const fs::path& folder, int count) {
  fs::create_directories(folder);
  std::vector<std::string> files;
  char name[32];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, "B-%05d", i);
    files.push_back((folder / (std::string(name) + ".xml")).string());
    WriteAll(files.back(), TypicalXmlBoring(name));
  }
  return files;
}

// Runs tavrimen-convert --yes on the folder of XML borings into `out_name`, a folder it makes,
// after the files of the runs before are written out (so that the system's writing them back does
// not fall on this run).
ProcessRun RunConvertXml(const fs::path& root, const std::string& out_name, int jobs) {
  sync();
  return RunTool(
      {"--yes", "-j", std::to_string(jobs), (root / "xml").string(), (root / out_name).string()});
}

}  // namespace

int XmlBatch(const fs::path& root, int count, int jobs) {
  constexpr int kXmlPasses = 3;
  const auto generation = Clock::now();
  const std::vector<std::string> files = GenerateXmlBorings(root / "xml", count);
  std::printf("generated in %.1f s\n",
              std::chrono::duration<double>(Clock::now() - generation).count());
  std::fflush(stdout);
  double convert_seconds = 0, cpu_seconds = 0, floor_seconds = 0;
  long peak_kb = 0;
  std::vector<std::size_t> sizes;
  for (int pass = 1; pass <= kXmlPasses; ++pass) {
    const std::string out = "out-" + std::to_string(pass);
    const ProcessRun run = RunConvertXml(root, out, jobs);
    std::printf("pass %d: tavrimen-convert %.2f s (CPU %.2f s)", pass, run.seconds,
                run.cpu_seconds);
    convert_seconds = pass == 1 ? run.seconds : std::min(convert_seconds, run.seconds);
    cpu_seconds = pass == 1 ? run.cpu_seconds : std::min(cpu_seconds, run.cpu_seconds);
    peak_kb = std::max(peak_kb, run.peak_kb);
    if (sizes.empty()) {
      for (const std::string& file : files) {
        const struct stat info = StatOf(root / out / fs::path(file).stem());
        sizes.push_back(static_cast<std::size_t>(info.st_size));
      }
    }
    const double floor =
        RunXmlFloor((root / ("floor-" + std::to_string(pass))).string(), files, sizes, jobs);
    std::printf(", floor %.2f s\n", floor);
    std::fflush(stdout);
    floor_seconds = pass == 1 ? floor : std::min(floor_seconds, floor);
  }
  const double n = count;
  std::printf("%d XML borings in one folder, %d jobs, %u cores, best of %d passes\n", count, jobs,
              std::thread::hardware_concurrency(), kXmlPasses);
  std::printf("%-34s %10.2f s    %.1f us a boring\n", "floor (read once, write once)",
              floor_seconds, floor_seconds / n * 1e6);
  std::printf("%-34s %10.2f s    %.1f us a boring\n", "tavrimen-convert --yes FOLDER OUT",
              convert_seconds, convert_seconds / n * 1e6);
  // On a machine that others share, the wall time also holds the time the batch waited for a
  // core; its CPU time over the cores it may use is the least it could take on a machine of its
  // own (as much only if all of it ran in parallel).
  const int cores = std::min(jobs, static_cast<int>(std::thread::hardware_concurrency()));
  std::printf("%-34s %10.2f s    %.1f us a boring; / %d cores = %.2f s\n",
              "  its CPU time (user and system)", cpu_seconds, cpu_seconds / n * 1e6, cores,
              cpu_seconds / cores);
  std::printf("%-34s %10.2f x\n", "ratio to the floor", convert_seconds / floor_seconds);
  bool met = Report("peak resident memory", peak_kb / 1024.0, 16.0, "MB");
  // 10,000 XML borings in under 30 s.
  met = Report("the batch", convert_seconds, 30.0 * n / 10000, "s") && met;
  return met ? 0 : 1;
}

}  // namespace tavrimen::bench
