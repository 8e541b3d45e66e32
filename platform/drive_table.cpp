#include "platform/drive_table.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#include "platform/drives_native.h"
#include "platform/paths.h"

namespace tavrimen::platform {
namespace fs = std::filesystem;
namespace {

char Upper(char letter) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
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

// Components of `native` below `root`, or nothing when `root` is not a leading part of it.
std::optional<std::vector<std::string>> ComponentsBelow(const fs::path& root,
                                                        const fs::path& native) {
  auto it = native.begin();
  for (const fs::path& part : root) {
    if (part.empty()) continue;  // the empty element after a trailing separator
    if (it == native.end() || *it != part) return std::nullopt;
    ++it;
  }
  std::vector<std::string> below;
  for (; it != native.end(); ++it) {
    if (!it->empty() && *it != "." && *it != it->root_directory()) below.push_back(Utf8String(*it));
  }
  return below;
}

std::size_t Depth(const fs::path& path) {
  return static_cast<std::size_t>(std::distance(path.begin(), path.end()));
}

// Applies ".." and "." to a component list.
std::vector<std::string> Normalised(std::vector<std::string> components) {
  std::vector<std::string> out;
  for (std::string& c : components) {
    if (c == ".") continue;
    if (c == "..") {
      if (!out.empty()) out.pop_back();
      continue;
    }
    out.push_back(std::move(c));
  }
  return out;
}

bool HasDrivePrefix(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

}  // namespace

DriveTable::DriveTable(std::string_view table_text) {
  for (const auto& [letter, root] : native::SystemDrives()) drives_[letter] = {root, {}};
  for (const std::string& entry : SplitComponents(table_text, ';')) {
    if (entry.find('=') != 1 || !std::isalpha(static_cast<unsigned char>(entry[0]))) continue;
    std::string root_text = entry.substr(2);
    while (root_text.size() > 1 && (root_text.back() == '/' || root_text.back() == '\\') &&
           root_text[root_text.size() - 2] != ':') {
      root_text.pop_back();
    }
    fs::path root = Utf8Path(root_text).lexically_normal();
    if (root.empty() || !root.is_absolute()) continue;
    drives_[Upper(entry[0])] = DriveState{root, {}};
  }
  if (drives_.empty()) drives_['C'] = DriveState{Utf8Path("C:\\"), {}};
  // The current drive and its directory follow the process's working directory.
  std::error_code ec;
  const fs::path cwd = fs::current_path(ec);
  current_drive_ = drives_.begin()->first;
  std::size_t best = 0;
  for (auto& [letter, state] : drives_) {
    auto below = ComponentsBelow(state.root, cwd);
    if (below && (best == 0 || Depth(state.root) > best)) {
      best = Depth(state.root);
      current_drive_ = letter;
      state.current = std::move(*below);
    }
  }
}

DriveTable DriveTable::FromEnvironment() {
  const char* text = std::getenv("TAVRIMEN_DRIVES");
  return DriveTable(text ? text : "");
}

std::vector<Drive> DriveTable::Drives() const {
  std::vector<Drive> drives;
  for (const auto& [letter, state] : drives_) drives.push_back({letter, state.root});
  return drives;
}

std::optional<fs::path> DriveTable::RootOf(char letter) const {
  auto drive = drives_.find(Upper(letter));
  if (drive == drives_.end()) return std::nullopt;
  return drive->second.root;
}

bool DriveTable::SetCurrentDrive(char letter) {
  if (!drives_.count(Upper(letter))) return false;
  current_drive_ = Upper(letter);
  return true;
}

std::string DriveTable::CurrentDirectoryOf(char letter) const {
  auto drive = drives_.find(Upper(letter));
  if (drive == drives_.end()) return {};
  return DriveFormOf({drive->first, drive->second.current});
}

std::optional<fs::path> DriveTable::CurrentFolder() const {
  const DriveState& drive = drives_.at(current_drive_);
  fs::path folder = drive.root;
  for (const std::string& name : drive.current) {
    if (name.find('\\') != std::string::npos) return std::nullopt;
    folder /= Utf8Path(name);
  }
  return folder;
}

void DriveTable::SetCurrentDirectory(const DrivePath& path) {
  auto drive = drives_.find(path.letter);
  if (drive == drives_.end()) return;
  drive->second.current = path.components;
  current_drive_ = path.letter;
}

std::optional<DrivePath> DriveTable::Resolve(std::string_view path) const {
  char letter = current_drive_;
  if (HasDrivePrefix(path)) {
    letter = Upper(path[0]);
    path.remove_prefix(2);
  }
  auto drive = drives_.find(letter);
  if (drive == drives_.end()) return std::nullopt;
  std::vector<std::string> components;
  if (path.empty() || path.front() != '\\') components = drive->second.current;
  // A slash separates folders as a backslash does, so that no folder name can hold one and
  // lead out of the folder it is joined to.
  std::string separated(path);
  std::replace(separated.begin(), separated.end(), '/', '\\');
  for (std::string& c : SplitComponents(separated, '\\')) components.push_back(std::move(c));
  return DrivePath{letter, Normalised(std::move(components))};
}

fs::path DriveTable::NativeOf(const DrivePath& path) const {
  // Joined as text and made a path once: joining path by path costs more than the look-up.
  const fs::path& root = drives_.at(path.letter).root;
  std::string native = Utf8String(root);
  const char separator = static_cast<char>(fs::path::preferred_separator);
  for (const std::string& c : path.components) {
    if (!native.empty() && native.back() != separator && native.back() != '/') {
      native += separator;
    }
    native += c;
  }
  return Utf8Path(native);
}

std::string DriveTable::DriveFormOf(const DrivePath& path) {
  std::string text{path.letter, ':'};
  if (path.components.empty()) return text + "\\";
  for (const std::string& c : path.components) text += "\\" + c;
  return text;
}

std::optional<std::string> DriveTable::ToDriveForm(const fs::path& native) const {
  const fs::path normal = native.lexically_normal();
  std::optional<std::string> best;
  std::size_t best_depth = 0;
  for (const auto& [letter, state] : drives_) {
    auto below = ComponentsBelow(state.root, normal);
    // A name holding a backslash would read as two names in drive form.
    const bool representable =
        below && std::none_of(below->begin(), below->end(), [](const std::string& name) {
          return name.find('\\') != std::string::npos;
        });
    if (representable && (!best || Depth(state.root) > best_depth)) {
      best = DriveFormOf({letter, Normalised(std::move(*below))});
      best_depth = Depth(state.root);
    }
  }
  return best;
}

}  // namespace tavrimen::platform
