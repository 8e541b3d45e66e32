#include "cli/arguments.h"

#include <cstdlib>
#include <string_view>

namespace tavrimen::cli {
namespace {

// The number of a -j option: 1 to 256.
std::optional<int> Jobs(const std::string& text) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return std::nullopt;
  char* end = nullptr;
  const long jobs = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || jobs < 1 || jobs > 256) return std::nullopt;
  return static_cast<int>(jobs);
}

bool TakesValue(std::string_view option) {
  return option == "--patdat" || option == "--all" || option == "-j" || option == "--jobs" ||
         option == "--format" || option == "--svg";
}

bool IsFlag(std::string_view option) {
  return option == "--yes" || option == "--no" || option == "--check" || option == "--help" ||
         option == "-h" || option == "--version";
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args, const CliTexts& texts) {
  Arguments parsed;
  std::vector<std::string> positional;
  std::string check_conflict;  // the first option that --check cannot be used with
  auto wrong = [](std::string_view text, std::string_view argument) {
    return ParsedArguments{std::nullopt, Fill(text, {argument})};
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      positional.insert(positional.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    }
    if (arg.size() < 2 || arg[0] != '-') {
      positional.push_back(arg);
      continue;
    }
    // "--option=value", "-jN", or the option alone.
    std::string option = arg;
    std::optional<std::string> value;
    if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
      option = arg.substr(0, equals);
      value = arg.substr(equals + 1);
    } else if (arg.starts_with("-j") && arg.size() > 2) {
      option = "-j";
      value = arg.substr(2);
    }
    if (IsFlag(option)) {
      if (value) return wrong(texts.value_not_allowed, option);
    } else if (TakesValue(option)) {
      if (!value) {
        if (i + 1 >= args.size()) return wrong(texts.missing_value, option);
        value = args[++i];
      }
    } else {
      return wrong(texts.unknown_option, arg);
    }

    if (option == "--help" || option == "-h") {
      parsed.help = true;
      return {parsed, {}};
    } else if (option == "--version") {
      parsed.version = true;
      return {parsed, {}};
    } else if (option == "--patdat") {
      parsed.patdat = platform::TypedPath{*value};
    } else if (option == "--all") {
      parsed.roots.push_back({*value});
    } else if (option == "--svg") {
      parsed.svg = platform::TypedPath{*value};
      if (check_conflict.empty()) check_conflict = option;
    } else if (option == "--format") {
      if (*value != "json" && *value != "text") return wrong(texts.bad_format, *value);
      parsed.json = *value == "json";
    } else if (option == "-j" || option == "--jobs") {
      if (!(parsed.jobs = Jobs(*value))) return wrong(texts.bad_jobs, *value);
      if (check_conflict.empty()) check_conflict = option;
    } else if (option == "--yes" || option == "--no") {
      if (parsed.answer && *parsed.answer != (option == "--yes")) {
        return {std::nullopt, std::string(texts.yes_and_no)};
      }
      parsed.answer = option == "--yes";
      if (check_conflict.empty()) check_conflict = option;
    } else if (option == "--check") {
      parsed.check = true;
    }
  }
  if (parsed.check) {
    if (!check_conflict.empty()) return wrong(texts.not_with_check, check_conflict);
    for (const std::string& source : positional) parsed.sources.push_back({source});
    if (parsed.sources.empty() && parsed.roots.empty()) {
      return {std::nullopt, std::string(texts.missing_check_folder)};
    }
    return {parsed, {}};
  }
  if (positional.empty()) {
    if (!parsed.roots.empty()) return wrong(texts.missing_destination, parsed.roots.back().text);
    return {std::nullopt, std::string(texts.missing_folders)};
  }
  parsed.destination = {positional.back()};
  positional.pop_back();
  for (const std::string& source : positional) parsed.sources.push_back({source});
  if (parsed.sources.empty() && parsed.roots.empty()) {
    return wrong(texts.missing_destination, parsed.destination.text);
  }
  return {parsed, {}};
}

}  // namespace tavrimen::cli
