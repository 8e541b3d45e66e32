// The command line of tavrimen-convert.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/drive_table.h"

namespace tavrimen::cli {

inline constexpr const char* kUsage =
    "usage: tavrimen-convert [--patdat DIR] [--yes|--no] [-j N] SOURCE... DESTINATION\n"
    "       tavrimen-convert [--patdat DIR] [--yes|--no] [-j N] --all ROOT DESTINATION\n"
    "       tavrimen-convert [--patdat DIR] --check [--format text|json] SOURCE...\n"
    "\n"
    "Converts the boring data set in each folder SOURCE into one record file,\n"
    "DESTINATION/<name of SOURCE>, exactly as the window's Execute button does.\n"
    "\n"
    "  --patdat DIR   the pattern-data folder (default: the setting in PatdatV5.ini)\n"
    "  --yes, --no    the answer when DESTINATION must be created (default: ask on a\n"
    "                 terminal, otherwise no)\n"
    "  -j N           convert N borings at a time (default: the number of cores)\n"
    "  --all ROOT     convert every folder below ROOT that holds an X1.txt\n"
    "  --check        check the data sets without converting or changing anything;\n"
    "                 findings as file:line:column: severity: message\n"
    "  --format json  the findings of --check as JSON\n"
    "  --help         this text\n"
    "\n"
    "Paths may be given in drive form (Z:\\data\\B-1) or as native paths.\n"
    "Exit status: 0 all converted (or no errors found), 1 otherwise, 2 wrong usage.\n";

struct Arguments {
  std::optional<std::string> patdat;
  std::optional<bool> answer;
  std::vector<std::string> sources;
  std::vector<std::string> roots;  // --all
  std::string destination;
  std::optional<int> jobs;
  bool check = false;
  bool json = false;
  bool help = false;
};

// Parses argv[1..]; nothing on wrong usage.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args);

}  // namespace tavrimen::cli
