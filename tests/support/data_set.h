// Test support: small data sets and pattern-data folders written to a temporary folder.
// File contents are given as UTF-8 text with "\n" line ends and written in code page 932 with
// CR LF, as the field application writes them.
#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "support/temp_folder.h"

namespace tavrimen::testing {

using Files = std::map<std::string, std::string>;  // file name -> UTF-8 content

// Writes each file into `folder` (created when missing).
void WriteFiles(const std::filesystem::path& folder, const Files& files);

// A pattern-data folder with a few rows in each table.
Files StandardPatdat();

// A data set of one layer (X1 and X3 both ending at 5.00) with CNT.TXT and both title files.
Files MinimalBoring();

// The record file converted from MinimalBoring() with StandardPatdat(), as UTF-8 with "\n".
std::string MinimalRecordFile();

// A record file in code page 932 with CR LF, as UTF-8 with "\n".
std::string Readable(const std::string& record_file);

// The sorted file names in `folder`.
std::string FileNames(const std::filesystem::path& folder);

}  // namespace tavrimen::testing
