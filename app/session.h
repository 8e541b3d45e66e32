// The tables of one conversion run. Each click on Execute gets a fresh session, so no run sees a
// name or a field that an earlier run left.
#pragma once

#include <string>

#include "output/line_buffer.h"
#include "platform/file_system.h"
#include "reference/dictionaries.h"
#include "source/header_readers.h"
#include "source/title_files.h"

namespace tavrimen {

struct Session {
  // A session over the data set in `source_path`, with the reference tables of `patdat_path`,
  // that writes `record_path` (all drive form). Reads the pattern data's L4 names, which every
  // later step needs: throws IoError when they cannot be read.
  Session(platform::FileSystem& files, std::string source_path, std::string patdat_path,
          std::string record_path = {})
      : source{files, std::move(source_path)},
        patdat{files, std::move(patdat_path)},
        output_path(std::move(record_path)),
        code_tables(patdat) {
    LoadL4Names(patdat, dictionaries);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const platform::DataFolder source;  // the boring's data set
  const platform::DataFolder patdat;  // the pattern-data folder
  const std::string output_path;      // the record file; empty when nothing is written

  TitleData title_data;
  Dictionaries dictionaries;
  CodeTables code_tables;
  LineBuffer lines;
};

}  // namespace tavrimen
