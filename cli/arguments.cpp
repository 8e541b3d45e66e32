#include "cli/arguments.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "platform/paths.h"
#include "reference/text_helpers.h"

namespace tavrimen::cli {

namespace {

// The number of a -j option: 1 to 256.
std::optional<int> Jobs(const std::string& text) {
  char* end = nullptr;
  const long jobs = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || jobs < 1 || jobs > 256) return std::nullopt;
  return static_cast<int>(jobs);
}

}  // namespace

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args) {
  Arguments parsed;
  std::vector<std::string> positional;
  auto value = [&](std::size_t& i) -> std::optional<std::string> {
    if (++i >= args.size()) return std::nullopt;
    return args[i];
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
      return parsed;
    } else if (arg == "--patdat" || arg == "--all" || arg == "-j" || arg == "--jobs" ||
               arg == "--format") {
      auto text = value(i);
      if (!text) return std::nullopt;
      if (arg == "--patdat") {
        parsed.patdat = *text;
      } else if (arg == "--all") {
        parsed.roots.push_back(*text);
      } else if (arg == "--format") {
        if (*text != "json" && *text != "text") return std::nullopt;
        parsed.json = *text == "json";
      } else if (!(parsed.jobs = Jobs(*text))) {
        return std::nullopt;
      }
    } else if (arg.rfind("--patdat=", 0) == 0) {
      parsed.patdat = arg.substr(9);
    } else if (arg.rfind("-j", 0) == 0 && arg.size() > 2 && arg[2] != '-') {
      if (!(parsed.jobs = Jobs(arg.substr(2)))) return std::nullopt;
    } else if (arg == "--yes" || arg == "--no") {
      if (parsed.answer) return std::nullopt;
      parsed.answer = arg == "--yes";
    } else if (arg == "--check") {
      parsed.check = true;
    } else if (arg == "--") {
      positional.insert(positional.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return std::nullopt;
    } else {
      positional.push_back(arg);
    }
  }
  if (parsed.check) {
    if (parsed.answer || parsed.jobs) return std::nullopt;
    parsed.sources = positional;
    if (parsed.sources.empty() && parsed.roots.empty()) return std::nullopt;
    return parsed;
  }
  if (parsed.json || positional.empty()) return std::nullopt;
  parsed.destination = positional.back();
  positional.pop_back();
  parsed.sources = positional;
  if (parsed.sources.empty() && parsed.roots.empty()) return std::nullopt;
  return parsed;
}

}  // namespace tavrimen::cli
