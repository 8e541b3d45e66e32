#include "bench/batch_floor.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "bench/bench_process.h"

namespace tavrimen::bench {
namespace {

namespace fs = std::filesystem;

// Reads the file at `path` through, adding its size to `bytes`.
void ReadThrough(const std::string& path, std::atomic<std::size_t>& bytes) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  char buffer[65536];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) bytes += n;
  close(fd);
}

// Runs `first` on this thread, then `worker` on `jobs` threads, after the files of the runs before
// are written out (so that the system's writing them back does not fall on this run); returns the
// time they took in seconds.
double TimeOnThreads(int jobs, const std::function<void()>& first,
                     const std::function<void()>& worker) {
  sync();
  const auto begin = std::chrono::steady_clock::now();
  first();
  std::vector<std::thread> threads;
  for (int t = 0; t < jobs; ++t) threads.emplace_back(worker);
  for (std::thread& thread : threads) thread.join();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

}  // namespace

double RunFloor(const fs::path& root, const std::string& floor,
                const std::vector<std::string>& borings,
                const std::vector<std::size_t>& record_sizes, int jobs,
                const std::vector<std::size_t>* picture_sizes) {
  fs::create_directories(floor);
  if (picture_sizes != nullptr) fs::create_directories(floor + "-svg");
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> bytes{0};
  auto read_folder = [&](const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    while (const dirent* entry = readdir(dir)) {
      if (entry->d_name[0] != '.') ReadThrough(folder + "/" + entry->d_name, bytes);
    }
    closedir(dir);
  };
  return TimeOnThreads(
      jobs, [&] { read_folder((root / "patdat").string()); },
      [&] {
        for (std::size_t i = next++; i < borings.size(); i = next++) {
          read_folder(borings[i]);
          const std::string name = fs::path(borings[i]).filename().string();
          WriteAll(floor + "/" + name, std::string(record_sizes[i], 'x'));
          if (picture_sizes != nullptr) {
            WriteAll(floor + "-svg/" + name + ".svg", std::string((*picture_sizes)[i], 'x'));
          }
        }
      });
}

double RunXmlFloor(const std::string& floor, const std::vector<std::string>& files,
                   const std::vector<std::size_t>& record_sizes, int jobs) {
  fs::create_directories(floor);
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> bytes{0};
  return TimeOnThreads(
      jobs, [] {},
      [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
          ReadThrough(files[i], bytes);
          WriteAll(floor + "/" + fs::path(files[i]).stem().string(),
                   std::string(record_sizes[i], 'x'));
        }
      });
}

}  // namespace tavrimen::bench
