// The command line of tavrimen-convert.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrimen::cli {

inline constexpr const char* kUsage =
    "usage: tavrimen-convert [--patdat DIR] [--yes|--no] SOURCE DESTINATION\n"
    "\n"
    "Converts the boring data set in the folder SOURCE into one record file,\n"
    "DESTINATION/<name of SOURCE>, exactly as the window's Execute button does.\n"
    "\n"
    "  --patdat DIR  the pattern-data folder (default: the setting in PatdatV5.ini)\n"
    "  --yes, --no   the answer when DESTINATION must be created (default: ask on a\n"
    "                terminal, otherwise no)\n"
    "  --help        this text\n"
    "\n"
    "Paths may be given in drive form (Z:\\data\\B-1) or as native paths.\n"
    "Exit status: 0 converted, 1 refused or failed, 2 wrong usage.\n";

struct Arguments {
  std::optional<std::string> patdat;
  std::optional<bool> answer;
  std::string source;
  std::string destination;
  bool help = false;
};

// Parses argv[1..]; nothing on wrong usage.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args);

// A path of the command line as the run takes it: drive form (blanks around it allowed), blank
// text and text with a backslash are kept as given, for the run's path check; any other text is a
// native path, made absolute, without trailing separators, in the drive form of its drive ("Z:"
// alone for a drive's root). Empty when no drive holds it.
std::optional<std::string> DriveFormArgument(const std::string& path);

}  // namespace tavrimen::cli
