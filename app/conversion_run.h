// One conversion run: what the Execute button does. It checks both folder paths, offers to create
// a missing destination, reads the source folder's data set and writes its record file, talking
// to the window only through the Window interface.
#pragma once

#include <string>

#include "app/messages.h"
#include "app/window.h"
#include "platform/file_system.h"

namespace tavrimen {

enum class RunOutcome {
  kConverted,  // the record file was written
  kRefused,    // a path or the data set was refused, or the user declined to create a folder
  kFailed,     // a file could not be read or written, or the data could not be converted
};

// Runs one whole conversion of Text2's folder into Text1's folder with the reference tables of
// `patdat_path` (drive form, ending with a backslash), on `files` (the run's own file system; its
// drive table is the window's). Every ending leaves the window idle: Label3 empty or the success
// text, the default pointer.
RunOutcome Command1_Click(Window& window, platform::FileSystem& files,
                          const std::string& patdat_path);

}  // namespace tavrimen
