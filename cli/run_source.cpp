#include "cli/run_source.h"

#include "platform/paths.h"
#include "reference/path_checks.h"

namespace tavrimen::cli {

bool IsXmlFile(platform::FileSystem& files, const platform::DriveFormPath& source) {
  if (!HasXmlExtension(source.text())) return false;
  const auto entry = files.Entry(source.text());
  return entry && entry->regular;
}

RunSource::RunSource(platform::FileSystem& files, const platform::DriveFormPath& source,
                     std::string patdat)
    : files_(files), folder_(source), patdat_(std::move(patdat)) {
  if (!IsXmlFile(files, source)) return;
  const std::optional<std::filesystem::path> native = files.ToNative(source.text());
  if (!native) return;
  xml_ = ReadXmlSource(files, *native, platform::ShownPath(files.drives(), source));
  overlay_ = std::make_unique<XmlSourceFiles>(files, *xml_);
  folder_ = platform::DriveFormPath(source.text() + "\\" + xml_->folder_name);
  patdat_ = source.text() + "\\";
}

std::string RecordNameOf(platform::FileSystem& files, const platform::DriveFormPath& source) {
  if (IsXmlFile(files, source)) {
    if (const auto native = files.ToNative(source.text())) return FolderNameOfXml(files, *native);
  }
  std::string folder = source.text();
  CheckFolderPath(files, folder);
  return RecordFileNameOf(folder);
}

}  // namespace tavrimen::cli
