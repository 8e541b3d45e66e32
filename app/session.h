// The tables of one conversion run. Each click on Execute gets a fresh session, so no run sees a
// name or a field that an earlier run left.
#pragma once

#include <string>

#include "output/line_buffer.h"
#include "reference/dictionaries.h"
#include "source/catalogue.h"
#include "source/header_readers.h"
#include "source/title_files.h"

namespace tavrimen {

struct Session {
  explicit Session(std::string patdat) : patdat_path(patdat), code_tables(std::move(patdat)) {}

  std::string source_folder;  // drive form, ending with a backslash
  std::string output_path;    // the record file
  std::string patdat_path;    // the pattern-data folder, ending with a backslash

  Catalogue catalogue;
  TitleData title_data;
  Dictionaries dictionaries;
  CodeTables code_tables;
  LineBuffer lines;
};

}  // namespace tavrimen
