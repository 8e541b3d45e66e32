// Pictures of the borings that a command line converts (--svg DIR): DIR/<record file name>.svg for
// each record file written, and for a batch the overview DIR/index.html.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/results.h"
#include "cli/texts.h"
#include "platform/file_system_native.h"

namespace tavrimen::cli {

class Pictures {
 public:
  Pictures(std::filesystem::path folder, const CliTexts& texts, std::ostream& err)
      : folder_(std::move(folder)), texts_(texts), err_(err) {}

  // Makes the folder when it is missing; false, after saying why, when it cannot.
  bool MakeFolder();

  // Draws the boring of a record file just written (its drive-form path and bytes), once the
  // folder is made. Says why on standard error when the picture cannot be written. Safe from
  // several threads.
  void Draw(std::string_view record_path, std::string_view bytes);

  // The overview of a batch, a row per result, once the folder is made.
  void WriteIndex(const std::vector<BoringResult>& results);

  // Whether every picture and page was written.
  bool all_written() const { return all_written_; }

 private:
  // Writes `name` (UTF-8) in the folder.
  void Write(const std::string& name, std::string_view bytes);

  std::filesystem::path folder_;
  std::optional<platform::native::WritingFolder> writing_;  // once the folder is made
  const CliTexts& texts_;
  std::ostream& err_;
  std::mutex mutex_;
  bool all_written_ = true;
};

}  // namespace tavrimen::cli
