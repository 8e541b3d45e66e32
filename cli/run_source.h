// A source as a run takes it: a data set's folder as it is, or an XML boring file as the folder
// its reader presents (source/xml_source.h), with the reference tables written from it.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/native_paths.h"
#include "source/xml_source.h"

namespace tavrimen::cli {

// Whether `source` names a regular file whose name ends in ".xml" (any letter case).
bool IsXmlFile(platform::FileSystem& files, const platform::DriveFormPath& source);

class RunSource {
 public:
  // A data set's folder, converted with the tables of `patdat`, on `files`; or, for an XML file,
  // the boring read from it. Throws what ReadXmlSource throws.
  RunSource(platform::FileSystem& files, const platform::DriveFormPath& source, std::string patdat);

  // The file system the run goes through, the folder it converts and its pattern-data folder.
  platform::FileSystem& files() { return overlay_ ? *overlay_ : files_; }
  const platform::DriveFormPath& folder() const { return folder_; }
  const std::string& patdat() const { return patdat_; }
  // The XML boring, for an XML source.
  const XmlSource* xml() const { return xml_ ? &*xml_ : nullptr; }

 private:
  platform::FileSystem& files_;
  platform::DriveFormPath folder_;
  std::string patdat_;
  std::optional<XmlSource> xml_;
  std::unique_ptr<XmlSourceFiles> overlay_;
};

// The name of the record file that the source's run writes.
std::string RecordNameOf(platform::FileSystem& files, const platform::DriveFormPath& source);

}  // namespace tavrimen::cli
