// An XML boring file as a source of the conversion run. To the run, the file is a folder that
// holds the reference tables naming the boring's codes and one folder, named after the boring,
// with the data set written from the XML (xml_data_set.h): the run checks, reads and converts it
// as any data set, and names the record file after that folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"
#include "platform/file_system.h"
#include "source/xml_data_set.h"

namespace tavrimen {

// Whether a file's name ends in ".xml", in any letter case.
bool HasXmlExtension(std::string_view name);

// Whether the file at `native` starts as a boring document: its root element, within the first
// few kilobytes, is kXmlBoringRoot (in UTF-8 or code page 932). Only a first look, for finding
// borings among other files; reading the file decides.
bool LooksLikeXmlBoring(platform::FileSystem& files, const std::filesystem::path& native);

// An XML boring file that cannot be converted: `path` as the user reads it, `line` (1-based, 0
// for none) and the parser's own words, if any.
class XmlSourceError : public ConversionError {
 public:
  enum class Kind { kMalformed, kNotABoring, kAbsurdDepth };
  XmlSourceError(Kind kind, std::string path, int line, std::string detail);
  Kind kind() const { return kind_; }
  const std::string& path() const { return path_; }
  int line() const { return line_; }
  const std::string& detail() const { return detail_; }

 private:
  Kind kind_;
  std::string path_;
  int line_;
  std::string detail_;
};

struct XmlSource {
  std::filesystem::path file;  // native
  std::string folder_name;     // UTF-8; names the record file
  XmlDataSet data;
  std::vector<std::string> dropped;  // what the record file cannot hold, for the data check
};

// The name of the folder, and so of the record file, for a boring: its name with the characters
// no file name may hold as "_" and blanks and dots at its ends dropped; the file's stem where
// that leaves nothing.
std::string FolderNameFor(std::string_view boring_name, const std::filesystem::path& file);

// Reads the XML boring at `native` through `files` (`shown` names it in errors). Throws IoError
// when the file cannot be read (a file over the bound of data files among them) and
// XmlSourceError when it is no boring XML.
XmlSource ReadXmlSource(platform::FileSystem& files, const std::filesystem::path& native,
                        std::string_view shown);

// The boring name of the XML file at `native`, as FolderNameFor makes it, read from as little of
// the file as holds it; the file's stem when it cannot be read.
std::string FolderNameOfXml(platform::FileSystem& files, const std::filesystem::path& native);

// Presents `source` to a run over `target`: the XML file as a folder holding the tables and the
// folder `folder_name` with the data set. Nothing can be written there; everything else goes to
// `target`.
class XmlSourceFiles : public platform::FileSystemWrapper {
 public:
  XmlSourceFiles(platform::FileSystem& target, const XmlSource& source);

  std::optional<platform::EntryInfo> NativeEntry(const std::filesystem::path& native) override;
  std::vector<std::string> NativeSpellings(const std::filesystem::path& folder,
                                           std::string_view name) override;
  bool IsReadableFolder(const std::filesystem::path& native) override;
  void CreateEmptyNativeFile(const std::filesystem::path& native) override;
  std::optional<std::vector<std::string>> ListNativeSubfolders(
      const std::filesystem::path& native) override;
  void MakeNativeFolder(const std::filesystem::path& native, std::string_view shown) override;
  void DeleteNativeFileQuietly(const std::filesystem::path& native) override;
  std::string ReadNativeFile(const std::filesystem::path& native, std::string_view shown) override;
  void WriteNativeFileAtomically(const std::filesystem::path& native, std::string_view shown,
                                 std::string_view bytes) override;

 private:
  enum class Place { kElsewhere, kTables, kDataSet, kTableFile, kDataSetFile, kMissing };
  struct Located {
    Place place = Place::kElsewhere;
    NamedFiles::iterator file;  // for the two kinds of file
  };
  Located Locate(const std::filesystem::path& native);

  std::filesystem::path root_;  // the XML file
  std::string folder_name_;
  NamedFiles tables_;
  NamedFiles data_set_;
};

}  // namespace tavrimen
