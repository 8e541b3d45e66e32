#include "source/xml_source.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/cp932.h"
#include "platform/file_system_native.h"
#include "platform/native_paths.h"
#include "platform/paths.h"
#include "platform/xml_tree.h"
#include "reference/text_helpers.h"
#include "source/xml_boring.h"

namespace tavrimen {
namespace fs = std::filesystem;

namespace {

bool SameName(std::string_view a, std::string_view b) { return AsciiLower(a) == AsciiLower(b); }

NamedFiles::iterator FindFile(NamedFiles& files, std::string_view name) {
  return std::find_if(files.begin(), files.end(),
                      [&](const auto& file) { return SameName(file.first, name); });
}

// Whether an element holds a depth or a length in metres: every "…深度", the water levels, the
// drilled length.
bool HoldsDepth(std::string_view name) {
  return name.ends_with("深度") || name.ends_with("孔内水位") || name.ends_with("総掘進長") ||
         name.ends_with("総削孔長");
}

// A depth is a decimal number of metres, within the 9999 m that a record file can place; a file
// holding another is refused at that element rather than drawn and converted at an absurd depth.
void RefuseAbsurdDepths(const platform::XmlElement& element, std::string_view shown) {
  if (HoldsDepth(element.name)) {
    std::string_view text = element.text;
    text.remove_prefix(std::min(text.size(), text.find_first_not_of(" \t\r\n")));
    text.remove_suffix(text.size() - std::min(text.size(), text.find_last_not_of(" \t\r\n") + 1));
    const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    const bool decimal = !digits.empty() &&
                         digits.find_first_not_of("0123456789.") == std::string_view::npos &&
                         std::count(digits.begin(), digits.end(), '.') <= 1 && digits != ".";
    if (!text.empty() && (!decimal || std::strtod(std::string(digits).c_str(), nullptr) > 9999)) {
      throw XmlSourceError(XmlSourceError::Kind::kAbsurdDepth, std::string(shown), element.line,
                           element.name + "「" + std::string(text) + "」");
    }
  }
  for (const platform::XmlElement& child : element.children) RefuseAbsurdDepths(child, shown);
}

XmlBoring ReadBoring(std::string_view bytes, std::string_view shown) {
  platform::XmlDocument document;
  try {
    document = platform::ParseXml(bytes);
  } catch (const platform::XmlError& error) {
    throw XmlSourceError(XmlSourceError::Kind::kMalformed, std::string(shown), error.line(),
                         error.what());
  }
  if (document.root.name != kXmlBoringRoot) {
    throw XmlSourceError(XmlSourceError::Kind::kNotABoring, std::string(shown), document.root.line,
                         document.root.name);
  }
  RefuseAbsurdDepths(document.root, shown);
  return ReadXmlBoring(document);
}

// Names that Windows keeps for devices (CON, NUL, COM1 …, with any extension): no file can have
// them there, so no record file takes them anywhere.
bool IsDeviceName(std::string_view name) {
  const std::string stem = AsciiLower(name.substr(0, name.find('.')));
  for (const std::string_view device : {"con", "prn", "aux", "nul"}) {
    if (stem == device) return true;
  }
  return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) &&
         stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

bool HasXmlExtension(std::string_view name) {
  return name.size() > 4 && SameName(name.substr(name.size() - 4), ".xml");
}

bool LooksLikeXmlBoring(platform::FileSystem& files, const fs::path& native) {
  const std::string head = files.ReadNativeHead(native, 4096);
  const std::string root = "<" + std::string(kXmlBoringRoot);
  static const std::string cp932_root = cp932::FromUtf8(root);
  return head.find(root) != std::string::npos || head.find(cp932_root) != std::string::npos;
}

XmlSourceError::XmlSourceError(Kind kind, std::string path, int line, std::string detail)
    : ConversionError(path + ":" + std::to_string(line) + ": " + detail),
      kind_(kind),
      path_(std::move(path)),
      line_(line),
      detail_(std::move(detail)) {}

std::string FolderNameFor(std::string_view boring_name, const fs::path& file) {
  std::string name;
  for (const char c : boring_name) {
    const auto byte = static_cast<unsigned char>(c);
    name +=
        byte < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos ? '_' : c;
  }
  // Blanks (the ideographic one too) and dots at the ends: no folder or file name keeps them.
  auto trim = [&name] {
    for (bool changed = true; changed;) {
      changed = false;
      for (const std::string_view end : {" ", ".", "\xE3\x80\x80"}) {
        if (name.starts_with(end) && end != ".") {
          name.erase(0, end.size());
          changed = true;
        }
        if (name.ends_with(end)) {
          name.erase(name.size() - end.size());
          changed = true;
        }
      }
    }
  };
  trim();
  if (name.empty() || IsDeviceName(name) || platform::native::IsTemporaryName(name)) {
    return platform::Utf8String(file.stem());
  }
  return name;
}

XmlSource ReadXmlSource(platform::FileSystem& files, const fs::path& native,
                        std::string_view shown) {
  const std::string bytes = files.ReadNativeFile(native, shown);
  const XmlBoring boring = ReadBoring(bytes, shown);
  XmlSource source{native, FolderNameFor(boring.boring_name, native), MakeDataSet(boring), {}};
  source.dropped = boring.dropped;
  source.dropped.insert(source.dropped.end(), source.data.dropped.begin(),
                        source.data.dropped.end());
  return source;
}

std::string FolderNameOfXml(platform::FileSystem& files, const fs::path& native) {
  try {
    const std::string bytes = files.ReadNativeFile(native, platform::Utf8String(native));
    // The name stands near the top: the rest of the file is read by the run.
    return FolderNameFor(
        ReadXmlBoring(platform::ParseXml(bytes, kXmlBoringNameElement)).boring_name, native);
  } catch (const IoError&) {
  } catch (const platform::XmlError&) {
  }
  return platform::Utf8String(native.stem());
}

XmlSourceFiles::XmlSourceFiles(platform::FileSystem& target, const XmlSource& source)
    : FileSystemWrapper(target),
      root_(source.file),
      folder_name_(source.folder_name),
      tables_(source.data.tables),
      data_set_(source.data.data_set) {}

XmlSourceFiles::Located XmlSourceFiles::Locate(const fs::path& native) {
  // Paths are compared as the run forms them: below the XML file's own path.
  const auto [root_end, native_at] =
      std::mismatch(root_.begin(), root_.end(), native.begin(), native.end());
  if (root_end != root_.end()) return {};
  std::vector<std::string> names;
  for (auto it = native_at; it != native.end(); ++it) {
    if (!it->empty()) names.push_back(platform::Utf8String(*it));
  }
  if (names.empty()) return {Place::kTables, {}};
  if (names.size() == 1) {
    if (SameName(names[0], folder_name_)) return {Place::kDataSet, {}};
    const auto file = FindFile(tables_, names[0]);
    return file == tables_.end() ? Located{Place::kMissing, {}} : Located{Place::kTableFile, file};
  }
  if (names.size() == 2 && SameName(names[0], folder_name_)) {
    const auto file = FindFile(data_set_, names[1]);
    return file == data_set_.end() ? Located{Place::kMissing, {}}
                                   : Located{Place::kDataSetFile, file};
  }
  return {Place::kMissing, {}};
}

std::optional<platform::EntryInfo> XmlSourceFiles::NativeEntry(const fs::path& native) {
  const Located found = Locate(native);
  switch (found.place) {
    case Place::kElsewhere:
      return FileSystemWrapper::NativeEntry(native);
    case Place::kTables:
    case Place::kDataSet:
      return platform::EntryInfo{.folder = true};
    case Place::kTableFile:
    case Place::kDataSetFile:
      return platform::EntryInfo{.regular = true, .length = found.file->second.size()};
    case Place::kMissing:
      break;
  }
  return std::nullopt;
}

std::vector<std::string> XmlSourceFiles::NativeSpellings(const fs::path& folder,
                                                         std::string_view name) {
  const Located found = Locate(folder);
  if (found.place == Place::kElsewhere) return FileSystemWrapper::NativeSpellings(folder, name);
  const Located entry = Locate(folder / platform::Utf8Path(name));
  if (entry.place == Place::kDataSet) return {folder_name_};
  if (entry.place == Place::kTableFile || entry.place == Place::kDataSetFile) {
    return {entry.file->first};
  }
  return {};
}

bool XmlSourceFiles::IsReadableFolder(const fs::path& native) {
  const Located found = Locate(native);
  if (found.place == Place::kElsewhere) return FileSystemWrapper::IsReadableFolder(native);
  return found.place == Place::kTables || found.place == Place::kDataSet;
}

void XmlSourceFiles::CreateEmptyNativeFile(const fs::path& native) {
  const Located found = Locate(native);
  if (found.place == Place::kElsewhere) return FileSystemWrapper::CreateEmptyNativeFile(native);
  // The existence probe creates a missing file of the data set, empty, as on a disk.
  if (found.place == Place::kMissing && Locate(native.parent_path()).place == Place::kDataSet) {
    data_set_.emplace_back(platform::Utf8String(native.filename()), "");
  }
}

std::optional<std::vector<std::string>> XmlSourceFiles::ListNativeSubfolders(
    const fs::path& native) {
  const Located found = Locate(native);
  if (found.place == Place::kElsewhere) return FileSystemWrapper::ListNativeSubfolders(native);
  if (found.place == Place::kTables) return std::vector<std::string>{folder_name_};
  if (found.place == Place::kDataSet) return std::vector<std::string>{};
  return std::nullopt;
}

void XmlSourceFiles::MakeNativeFolder(const fs::path& native, std::string_view shown) {
  if (Locate(native).place == Place::kElsewhere) {
    return FileSystemWrapper::MakeNativeFolder(native, shown);
  }
  throw IoError(FileOperation::kMakeFolder, std::string(shown), ErrnoError(EROFS));
}

void XmlSourceFiles::DeleteNativeFileQuietly(const fs::path& native) {
  const Located found = Locate(native);
  if (found.place == Place::kElsewhere) return FileSystemWrapper::DeleteNativeFileQuietly(native);
  if (found.place == Place::kDataSetFile && found.file->second.empty()) data_set_.erase(found.file);
}

std::string XmlSourceFiles::ReadNativeFile(const fs::path& native, std::string_view shown) {
  const Located found = Locate(native);
  if (found.place == Place::kElsewhere) return FileSystemWrapper::ReadNativeFile(native, shown);
  if (found.place == Place::kTableFile || found.place == Place::kDataSetFile) {
    return found.file->second;
  }
  throw IoError(FileOperation::kRead, std::string(shown), ErrnoError(ENOENT));
}

void XmlSourceFiles::WriteNativeFileAtomically(const fs::path& native, std::string_view shown,
                                               std::string_view bytes) {
  if (Locate(native).place == Place::kElsewhere) {
    return FileSystemWrapper::WriteNativeFileAtomically(native, shown, bytes);
  }
  throw IoError(FileOperation::kWrite, std::string(shown), ErrnoError(EROFS));
}

}  // namespace tavrimen
