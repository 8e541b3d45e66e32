// What the batch benchmark's runs share: whole files read and written, tavrimen-convert run as a
// process and timed, what the system says of a file written, the facts of the machine that weigh
// on the figures, and a figure printed against its target.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tavrimen::bench {

// The bytes of the file at `path` (none when it cannot be read).
std::string ReadAll(const std::filesystem::path& path);

// Writes `bytes` as the file at `path`, replacing it; throws when it cannot.
void WriteAll(const std::string& path, const std::string& bytes);

struct ProcessRun {
  double seconds = 0;      // wall time
  double cpu_seconds = 0;  // user and system time, of all its threads
  long peak_kb = 0;        // peak resident memory
};

// Runs tavrimen-convert with `args`, its standard output discarded; throws when it fails.
ProcessRun RunTool(const std::vector<std::string>& args);

// What the system says of a file the runs wrote; throws when there is none.
struct stat StatOf(const std::filesystem::path& path);

// On a virtual machine whose balloon reports freed memory to the host, the host takes back what
// the guest frees and makes each page anew when the guest touches it again. Every page the page
// cache takes then costs far more than on a desktop, which weighs on the pictures' files above
// all. Returns the order of the blocks reported, or -1 where none are: no balloon, or an order
// above the largest block the kernel has (the columns of /proc/buddyinfo).
int FreePageReportingOrder();

// Prints `what` with `value` in `unit` and its target (an upper bound), marked when missed;
// returns whether it is met.
bool Report(const char* what, double value, double target, const char* unit);

}  // namespace tavrimen::bench
