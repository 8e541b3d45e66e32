// The command line of tavrimen-convert.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/texts.h"

namespace tavrimen::cli {

struct Arguments {
  std::optional<std::string> patdat;
  std::optional<bool> answer;
  std::vector<std::string> sources;
  std::vector<std::string> roots;  // --all
  std::string destination;
  std::optional<int> jobs;
  std::optional<std::string> svg;  // the folder for pictures of the borings
  bool check = false;
  bool json = false;
  bool help = false;
  bool version = false;
};

// The arguments, or the one-line message that says what is wrong with them.
struct ParsedArguments {
  std::optional<Arguments> arguments;
  std::string error;
};

// Parses argv[1..]. Options take their values as "--option value" or "--option=value" ("-j N" or
// "-jN"); "--" ends the options. --help and --version end the parsing.
ParsedArguments ParseArguments(const std::vector<std::string>& args, const CliTexts& texts);

}  // namespace tavrimen::cli
