#include "bench/bench_process.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace tavrimen::bench {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    throw std::runtime_error("cannot write " + path);
  }
  close(fd);
}

ProcessRun RunTool(const std::vector<std::string>& args) {
  std::fflush(stdout);  // not again by the child, whose freopen would write it out
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<const char*> argv = {"tavrimen-convert"};
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    if (!freopen("/dev/null", "w", stdout)) _exit(127);
    execv(TAVRIMEN_CONVERT_PATH, const_cast<char* const*>(argv.data()));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("tavrimen-convert failed");
  }
  auto in_seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
  };
  return {seconds, in_seconds(usage.ru_utime) + in_seconds(usage.ru_stime), usage.ru_maxrss};
}

struct stat StatOf(const fs::path& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) throw std::runtime_error("no " + path.string());
  return info;
}

int FreePageReportingOrder() {
  std::ifstream order_file("/sys/module/page_reporting/parameters/page_reporting_order");
  int order = -1;
  if (!(order_file >> order)) return -1;
  // A balloon device bound to its driver shows as a link named after the device.
  std::error_code error;
  const fs::directory_iterator driver("/sys/bus/virtio/drivers/virtio_balloon", error);
  const bool balloon = !error && std::any_of(fs::begin(driver), fs::end(driver), [](const auto& e) {
    return e.path().filename().string().starts_with("virtio");
  });
  if (!balloon) return -1;
  std::ifstream buddyinfo("/proc/buddyinfo");
  std::string line;
  if (!std::getline(buddyinfo, line)) return -1;
  // "Node 0, zone DMA  n0 n1 ... nMAX": four words, then a count for each order.
  std::istringstream words(line);
  const auto columns = std::distance(std::istream_iterator<std::string>(words),
                                     std::istream_iterator<std::string>());
  return order <= columns - 5 ? order : -1;
}

bool Report(const char* what, double value, double target, const char* unit) {
  const bool met = value <= target;
  std::printf("%-34s %10.2f %-4s (target <= %g)%s\n", what, value, unit, target,
              met ? "" : "  MISSED");
  return met;
}

}  // namespace tavrimen::bench
