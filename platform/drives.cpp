#include "platform/drives.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <mutex>
#include <system_error>

#include "platform/drives_native.h"
#include "platform/paths.h"

namespace tavrimen::platform {
namespace fs = std::filesystem;
namespace {

struct DriveState {
  fs::path root;
  std::vector<std::string> current;  // components below the root
};

struct Table {
  std::mutex mutex;
  std::map<char, DriveState> drives;
  char current_drive = 'Z';
  bool loaded = false;
};

Table& TheTable() {
  static Table table;
  return table;
}

void Load(Table& table);

// Runs `use` on the loaded table, under its lock.
template <typename Use>
auto WithTable(Use&& use) {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  Load(table);
  return use(table);
}

std::vector<std::string> SplitComponents(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// Components of `native` below `root`, or empty when `root` is not a leading part of it.
std::optional<std::vector<std::string>> ComponentsBelow(const fs::path& root,
                                                        const fs::path& native) {
  auto root_it = root.begin();
  auto it = native.begin();
  for (; root_it != root.end(); ++root_it) {
    if (root_it->empty()) continue;  // the empty element after a trailing separator
    if (it == native.end() || *it != *root_it) return std::nullopt;
    ++it;
  }
  std::vector<std::string> below;
  for (; it != native.end(); ++it) {
    if (!it->empty() && *it != "." && *it != it->root_directory()) below.push_back(Utf8String(*it));
  }
  return below;
}

void Load(Table& table) {
  if (table.loaded) return;
  table.drives.clear();
  for (const auto& [letter, root] : native::SystemDrives()) table.drives[letter] = {root, {}};
  if (const char* env = std::getenv("TAVRIMEN_DRIVES")) {
    for (const std::string& entry : SplitComponents(env, ';')) {
      std::size_t eq = entry.find('=');
      if (eq != 1 || !std::isalpha(static_cast<unsigned char>(entry[0]))) continue;
      char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(entry[0])));
      std::string root_text = entry.substr(2);
      while (root_text.size() > 1 && (root_text.back() == '/' || root_text.back() == '\\') &&
             root_text[root_text.size() - 2] != ':') {
        root_text.pop_back();
      }
      fs::path root = Utf8Path(root_text).lexically_normal();
      if (root.empty() || !root.is_absolute()) continue;
      table.drives[letter] = DriveState{root, {}};
    }
  }
  // The current drive and its directory follow the process's working directory.
  std::error_code ec;
  fs::path cwd = fs::current_path(ec);
  if (table.drives.empty()) table.drives['C'] = DriveState{Utf8Path("C:\\"), {}};
  table.current_drive = table.drives.begin()->first;
  std::size_t best = 0;
  for (auto& [letter, state] : table.drives) {
    auto below = ComponentsBelow(state.root, cwd);
    std::size_t depth =
        static_cast<std::size_t>(std::distance(state.root.begin(), state.root.end()));
    if (below && (best == 0 || depth > best)) {
      best = depth;
      table.current_drive = letter;
      state.current = *below;
    }
  }
  table.loaded = true;
}

bool IsReadableFolder(const fs::path& path) {
  std::error_code ec;
  fs::directory_iterator it(path, ec);
  return !ec;
}

// Applies ".." and "." to a component list.
std::vector<std::string> Normalised(const std::vector<std::string>& components) {
  std::vector<std::string> out;
  for (const std::string& c : components) {
    if (c == ".") continue;
    if (c == "..") {
      if (!out.empty()) out.pop_back();
      continue;
    }
    out.push_back(c);
  }
  return out;
}

bool HasDrivePrefix(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// The drive letter and the absolute component list of a drive-form path.
std::optional<std::pair<char, std::vector<std::string>>> Resolve(Table& table,
                                                                 std::string_view path) {
  char letter = table.current_drive;
  if (HasDrivePrefix(path)) {
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    path.remove_prefix(2);
  }
  auto drive = table.drives.find(letter);
  if (drive == table.drives.end()) return std::nullopt;
  std::vector<std::string> components;
  if (path.empty() || path.front() != '\\') components = drive->second.current;
  // A slash separates folders as a backslash does, so that no folder name can hold one and
  // lead out of the folder it is joined to.
  std::string separated(path);
  std::replace(separated.begin(), separated.end(), '/', '\\');
  for (std::string& c : SplitComponents(separated, '\\')) components.push_back(std::move(c));
  return std::make_pair(letter, Normalised(components));
}

fs::path NativeOf(const Table& table, char letter, const std::vector<std::string>& components) {
  fs::path native = table.drives.at(letter).root;
  for (const std::string& c : components) native /= Utf8Path(c);
  // Most names are spelled as on disk: one look-up settles them. Otherwise each component is
  // matched in turn.
  if (native::SpelledAsOnDisk(native)) return native;
  native = table.drives.at(letter).root;
  for (const std::string& c : components) native = native::JoinMatchingCase(native, c);
  return native;
}

std::string DriveFormOf(char letter, const std::vector<std::string>& components) {
  std::string text{letter, ':'};
  if (components.empty()) return text + "\\";
  for (const std::string& c : components) text += "\\" + c;
  return text;
}

}  // namespace

std::vector<Drive> Drives() {
  return WithTable([&](Table& table) {
    std::vector<Drive> drives;
    for (const auto& [letter, state] : table.drives) drives.push_back({letter, state.root});
    return drives;
  });
}

char CurrentDrive() {
  return WithTable([&](Table& table) { return table.current_drive; });
}

bool ChangeDrive(char letter) {
  return WithTable([&](Table& table) {
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    auto drive = table.drives.find(letter);
    if (drive == table.drives.end() || !IsReadableFolder(drive->second.root)) return false;
    table.current_drive = letter;
    return true;
  });
}

std::string CurrentDirectory() {
  return WithTable([&](Table& table) {
    return DriveFormOf(table.current_drive, table.drives.at(table.current_drive).current);
  });
}

std::string CurrentDirectoryOf(char letter) {
  return WithTable([&](Table& table) {
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    auto drive = table.drives.find(letter);
    return drive == table.drives.end() ? std::string() : DriveFormOf(letter, drive->second.current);
  });
}

bool ChangeDirectory(std::string_view drive_form_path) {
  return WithTable([&](Table& table) {
    auto resolved = Resolve(table, drive_form_path);
    if (!resolved) return false;
    std::error_code ec;
    if (!fs::is_directory(NativeOf(table, resolved->first, resolved->second), ec)) return false;
    table.drives.at(resolved->first).current = resolved->second;
    table.current_drive = resolved->first;
    return true;
  });
}

std::optional<fs::path> ToNative(std::string_view drive_form_path) {
  return WithTable([&](Table& table) -> std::optional<fs::path> {
    auto resolved = Resolve(table, drive_form_path);
    if (!resolved) return std::nullopt;
    return NativeOf(table, resolved->first, resolved->second);
  });
}

std::optional<std::string> ToDriveForm(const fs::path& native) {
  return WithTable([&](Table& table) {
    fs::path normal = native.lexically_normal();
    std::optional<std::string> best;
    std::size_t best_depth = 0;
    for (const auto& [letter, state] : table.drives) {
      auto below = ComponentsBelow(state.root, normal);
      if (!below) continue;
      std::size_t depth =
          static_cast<std::size_t>(std::distance(state.root.begin(), state.root.end()));
      if (!best || depth > best_depth) {
        best = DriveFormOf(letter, Normalised(*below));
        best_depth = depth;
      }
    }
    return best;
  });
}

void ResetDrivesFromEnvironment() {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  table.loaded = false;
  Load(table);
}

}  // namespace tavrimen::platform
