#include "support/process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>

#include "platform/paths.h"

namespace tavrimen::testing {

std::vector<std::string> ShellWords(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\'') {
      const std::size_t close = text.find('\'', i + 1);
      word += text.substr(i + 1, close - i - 1);
      i = close == std::string::npos ? text.size() : close;
      in_word = true;
    } else if (c == '\\' && i + 1 < text.size()) {
      word += text[++i];
      in_word = true;
    } else if (c == ' ') {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) { return platform::Utf8Path(utf8).wstring(); }

// One argument quoted as the Microsoft C runtime parses command lines.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

HANDLE Inheritable(HANDLE handle) {
  SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  return handle;
}

// Runs the program once; -1 when it cannot be started.
int RunOnce(const std::filesystem::path& program, const std::vector<std::string>& args,
            const std::map<std::string, std::string>& environment,
            const std::filesystem::path& folder, const std::filesystem::path& out,
            const std::filesystem::path& err,
            const std::function<void(long process_id)>& while_running) {
  std::wstring command_line = Quoted(program.wstring());
  for (const std::string& arg : args) command_line += L" " + Quoted(Wide(arg));
  // The environment block: this process's variables with the given ones replaced.
  std::map<std::wstring, std::wstring> variables;
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
      std::wstring text(entry);
      const std::size_t eq = text.find(L'=', 1);
      if (eq != std::wstring::npos) variables[text.substr(0, eq)] = text.substr(eq + 1);
    }
    FreeEnvironmentStringsW(block);
  }
  for (const auto& [name, value] : environment) variables[Wide(name)] = Wide(value);
  std::wstring env_block;
  for (const auto& [name, value] : variables) env_block += name + L"=" + value + L'\0';
  env_block += L'\0';

  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE out_file = CreateFileW(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE err_file = CreateFileW(err.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE in_file = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = Inheritable(in_file);
  startup.hStdOutput = Inheritable(out_file);
  startup.hStdError = Inheritable(err_file);
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE,
                                      CREATE_UNICODE_ENVIRONMENT, env_block.data(), folder.c_str(),
                                      &startup, &process);
  CloseHandle(in_file);
  CloseHandle(out_file);
  CloseHandle(err_file);
  if (!started) return -1;
  if (while_running) while_running(static_cast<long>(process.dwProcessId));
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return static_cast<int>(status);
}

}  // namespace

int RunProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& environment,
               const std::filesystem::path& folder, const std::filesystem::path& out,
               const std::filesystem::path& err,
               const std::function<void(long process_id)>& while_running) {
  // Wine now and then fails to start a program: it is not started, or it ends at once with
  // status -1 and writes nothing, which no program under test does. Such a start is tried again,
  // twice at most.
  for (int attempt = 1;; ++attempt) {
    const int status = RunOnce(program, args, environment, folder, out, err, while_running);
    std::error_code error;
    const bool not_started = status == -1 && std::filesystem::file_size(out, error) == 0 &&
                             std::filesystem::file_size(err, error) == 0;
    if (!not_started || attempt == 3) return status;
    Sleep(200);
  }
}

#else

int RunProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& environment,
               const std::filesystem::path& folder, const std::filesystem::path& out,
               const std::filesystem::path& err,
               const std::function<void(long process_id)>& while_running) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) != 0) _exit(127);
    for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
    const int in_fd = open("/dev/null", O_RDONLY);
    const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in_fd, 0);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    std::vector<char*> argv;
    std::string name = program.string();
    argv.push_back(name.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(name.c_str(), argv.data());
    _exit(127);
  }
  if (pid > 0 && while_running) while_running(pid);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

}  // namespace tavrimen::testing
