// Pictures of the borings that a command line converts (--svg DIR): DIR/<record file name>.svg for
// each record file written, and for a batch the overview DIR/index.html.
#pragma once

#include <chrono>
#include <filesystem>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/results.h"
#include "cli/texts.h"
#include "platform/file_system.h"

namespace tavrimen::cli {

// What the overview shows of a boring whose record file was written, besides its result.
struct DrawnBoring {
  std::string boring_name;  // from its record file, UTF-8; empty for none
  std::string site;
  std::string picture;  // the picture's file name in the folder, once written
  std::string problem;  // why its picture is missing; empty when the picture was written
};

// The file name of the picture of a record file named `record_name` (UTF-8): the record file's
// name and ".svg", shortened where that would not fit a file name.
std::string PictureName(std::string_view record_name);

// What the overview says of the whole batch.
struct BatchFacts {
  std::chrono::system_clock::time_point started;
  std::string destination;         // the folder of the record files, as the user reads it
  std::vector<std::string> roots;  // the folders searched (--all), as the user reads them
};

class Pictures {
 public:
  Pictures(std::filesystem::path folder, const CliTexts& texts, std::ostream& err)
      : folder_(std::move(folder)), texts_(texts), err_(err) {}
  virtual ~Pictures() = default;

  // Draws the boring of a record file just written (its drive-form path and bytes). The folder
  // is made with the first picture, so that nothing is made before a run has written its record
  // file; and what a killed batch left in it is removed then. A picture that cannot be drawn or
  // written leaves the record file as it is: this says why on standard error and in the result
  // instead of throwing. Safe from several threads.
  // The pictures are written through `files`, the run's file system.
  DrawnBoring Draw(std::string_view record_path, std::string_view bytes,
                   platform::FileSystem& files);

  // The overview of a batch, a row per result, with what Draw gave for each (empty for those it
  // did not draw).
  void WriteIndex(const std::vector<BoringResult>& results, const std::vector<DrawnBoring>& drawn,
                  const BatchFacts& facts, platform::FileSystem& files);

  // Whether every picture and page was drawn and written.
  bool all_written() const { return all_written_; }

 protected:
  // The picture of a record file's bytes, valid until the thread draws again. Virtual so that a
  // test can make the drawing fail.
  virtual std::string_view Picture(std::string_view bytes);

 private:
  // Writes `name` (UTF-8) in the folder, made first when it is not; why it could not, or nothing.
  std::string Write(const std::string& name, std::string_view bytes, platform::FileSystem& files);
  // Makes the folder once; why it could not, or nothing.
  std::string MakeFolder(platform::FileSystem& files);
  // Says on standard error why a picture or the page is missing.
  void Report(const std::string& problem);

  std::filesystem::path folder_;
  const CliTexts& texts_;
  std::ostream& err_;
  std::mutex mutex_;
  std::once_flag made_;
  std::string folder_problem_;  // why the folder could not be made
  bool all_written_ = true;
};

}  // namespace tavrimen::cli
