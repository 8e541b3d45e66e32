// The tables of one conversion run. Each click on Execute gets a fresh session, so no run sees a
// name or a field that an earlier run left.
#pragma once

#include <string>

#include "output/line_buffer.h"
#include "platform/file_system.h"
#include "reference/dictionaries.h"
#include "source/catalogue.h"
#include "source/header_readers.h"
#include "source/title_files.h"

namespace tavrimen {

struct Session {
  Session(platform::FileSystem& files, std::string patdat_path)
      : source{files, {}}, patdat{files, std::move(patdat_path)}, code_tables(patdat) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  platform::DataFolder source;  // the boring's data set
  platform::DataFolder patdat;  // the pattern-data folder
  std::string output_path;      // the record file, drive form

  Catalogue catalogue;
  TitleData title_data;
  Dictionaries dictionaries;
  CodeTables code_tables;
  LineBuffer lines;
};

}  // namespace tavrimen
