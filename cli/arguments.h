// The command line of tavrimen-convert.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/texts.h"
#include "platform/native_paths.h"

namespace tavrimen::cli {

// The paths as typed: each is resolved once, where the tool takes it (platform::ResolveTyped).
struct Arguments {
  std::optional<platform::TypedPath> patdat;
  std::optional<bool> answer;
  std::vector<platform::TypedPath> sources;
  std::vector<platform::TypedPath> roots;  // --all
  platform::TypedPath destination;
  std::optional<int> jobs;
  std::optional<platform::TypedPath> svg;  // the folder for pictures of the borings
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
