#include "reference/settings.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "platform/cp932.h"
#include "platform/errors.h"
#include "platform/file_system.h"
#include "platform/item_reader.h"
#include "platform/paths.h"
#include "platform/utilities.h"
#include "reference/text_helpers.h"

namespace tavrimen {

std::string PatternFolderFromText(const platform::DriveTable& drives, std::string_view text) {
  std::string folder(text);
  if (folder.empty()) return folder;
  if (folder.front() == '/') {
    if (auto drive_form = drives.ToDriveForm(platform::Utf8Path(folder))) {
      folder = *drive_form;
    }
  }
  if (folder.back() != '\\') folder.push_back('\\');
  return folder;
}

std::filesystem::path SettingsFilePath(platform::FileSystem& files) {
  const std::filesystem::path folder = platform::Utf8Path(platform::QPRTrim(platform::SysDir()));
  // The name is matched without regard to letter case, as every other file name is. The folder
  // is listed only when the exact name is missing (never on systems whose names ignore case).
  if (files.NativeEntry(folder / kSettingsFileName)) return folder / kSettingsFileName;
  std::vector<std::string> spellings = files.NativeSpellings(folder, kSettingsFileName);
  if (spellings.empty()) return folder / kSettingsFileName;
  return folder / platform::Utf8Path(spellings.front());
}

std::string ReadPatternFolderSetting(platform::FileSystem& files) {
  auto settings_path = [&files] { return SettingsFilePath(files); };
  if (files.ProbeNativeFile(settings_path()) < 1) {
    files.DeleteNativeFileQuietly(settings_path());
    return {};
  }
  std::string content;
  try {
    content = files.ReadNativeFile(settings_path(), platform::Utf8String(settings_path()));
  } catch (const IoError&) {
    return {};
  }
  platform::ItemReader reader(content);
  reader.NextLine();
  std::string field = reader.NextText();
  return PatternFolderFromText(files.drives(), cp932::ToUtf8(TrimLeft(TrimRight(field))));
}

}  // namespace tavrimen
