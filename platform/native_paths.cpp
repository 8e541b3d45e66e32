#include "platform/native_paths.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/paths.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace tavrimen::platform {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr bool kIsWindows = true;
#else
constexpr bool kIsWindows = false;
#endif

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool IsDriveForm(std::string_view text) {
  return text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
}

#ifndef _WIN32
// The home folder of a user (the one running when `user` is empty), read reentrantly: batch
// workers convert paths at the same time.
std::optional<std::string> HomeFolder(const std::string& user) {
  if (user.empty()) {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  }
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(16384);
  const int failed = user.empty()
                         ? getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found)
                         : getpwnam_r(user.c_str(), &entry, buffer.data(), buffer.size(), &found);
  if (failed != 0 || found == nullptr || entry.pw_dir == nullptr) return std::nullopt;
  return std::string(entry.pw_dir);
}
#endif

// "~", "~/rest", "~name/rest" with the home folder put in; other text unchanged.
std::string WithHomeFolder(std::string_view path) {
#ifdef _WIN32
  return std::string(path);
#else
  if (path.empty() || path.front() != '~') return std::string(path);
  const std::size_t slash = path.find('/');
  const std::string user(path.substr(1, slash == std::string_view::npos ? path.npos : slash - 1));
  const auto home = HomeFolder(user);
  if (!home) return std::string(path);
  return *home + std::string(slash == std::string_view::npos ? "" : path.substr(slash));
#endif
}

}  // namespace

ResolvedPath ResolveTyped(const DriveTable& drives, const TypedPath& typed_path) {
  std::string_view typed = typed_path.text;
  const std::string_view trimmed = TrimBlanks(typed);
  if (IsDriveForm(trimmed)) {
    std::string backslashed(typed);  // "Z:/data/B-1" is Z:\data\B-1
    std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
    return {PathProblem::kNone, DriveFormPath(std::move(backslashed)), {}};
  }
#ifdef _WIN32
  const bool not_native = trimmed.rfind("\\\\", 0) == 0;  // a network path
#else
  const bool not_native = trimmed.find('\\') != std::string_view::npos;
#endif
  if (trimmed.empty() || not_native) return {PathProblem::kNotAPath, {}, std::string(typed)};
  const bool relative = !Utf8Path(trimmed).is_absolute() && trimmed.front() != '~';
  if (relative && typed.front() == ' ')
    return {PathProblem::kLeadingBlanks, {}, std::string(typed)};
  while (!typed.empty() && typed.front() == ' ') typed.remove_prefix(1);
  fs::path native = Utf8Path(WithHomeFolder(typed));
  if (!native.is_absolute()) {
    const std::optional<fs::path> current = drives.CurrentFolder();
    if (!current) return {PathProblem::kBackslashInName, {}, typed_path.text};
    native = *current / native;
  }
  ResolvedPath resolved = ResolveFound(drives, native.lexically_normal());
  if (resolved.problem != PathProblem::kNone) resolved.as_typed = typed_path.text;
  return resolved;
}

ResolvedPath ResolveFound(const DriveTable& drives, const fs::path& native) {
  auto converted = drives.ToDriveForm(native);
  if (!converted) {
    const bool backslash = !kIsWindows && Utf8String(native).find('\\') != std::string::npos;
    return {
        backslash ? PathProblem::kBackslashInName : PathProblem::kNotAPath, {}, Utf8String(native)};
  }
  while (converted->size() > 2 && converted->back() == '\\') converted->pop_back();
  return {PathProblem::kNone, DriveFormPath(std::move(*converted)), {}};
}

std::string ShownPath(const DriveTable& drives, std::string_view drive_form) {
  if (!kShowsNativePaths || !IsDriveForm(drive_form)) return std::string(drive_form);
  const auto resolved = drives.Resolve(drive_form);
  if (!resolved) return std::string(drive_form);
  return Utf8String(drives.NativeOf(*resolved));
}

}  // namespace tavrimen::platform
