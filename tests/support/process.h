// Test support: running a program with arguments, extra environment variables and a working
// folder, standard input empty, standard output and error into files.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tavrimen::testing {

// Returns the exit status, or -1 when the program could not run. `while_running`, when given,
// runs once the program has started, with its process id.
int RunProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& environment,
               const std::filesystem::path& folder, const std::filesystem::path& out,
               const std::filesystem::path& err,
               const std::function<void(long process_id)>& while_running = {});

// Splits text into words as a POSIX shell does for plain words: blanks separate words, single
// quotes keep text as it is, a backslash outside quotes keeps the next character.
std::vector<std::string> ShellWords(const std::string& text);

}  // namespace tavrimen::testing
