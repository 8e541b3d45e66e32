// Paths as people type and read them. The system works in drive form ("Z:\home\me\B-1"), which is
// also the native form on Windows; on POSIX systems people know native paths ("/home/me/B-1").
// Three forms, three types: the text a person typed (TypedPath), a drive-form path
// (DriveFormPath) and a native path (std::filesystem::path). Typed paths become drive form once,
// where they enter (the windows' text boxes, the command line); paths found on disk become drive
// form as found; drive-form paths become native ones where they are shown.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/drive_table.h"

namespace tavrimen::platform {

// Whether people read native paths rather than drive form.
#ifdef _WIN32
inline constexpr bool kShowsNativePaths = false;
#else
inline constexpr bool kShowsNativePaths = true;
#endif

// A path as a person typed it (UTF-8): a command-line argument or the text of a text box. It is
// resolved once, where it enters, and passed on resolved.
struct TypedPath {
  std::string text;
};

// A path in drive form ("Z:\data\B-1"), the form the run takes.
class DriveFormPath {
 public:
  DriveFormPath() = default;
  explicit DriveFormPath(std::string text) : text_(std::move(text)) {}
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// What keeps a typed path from drive form.
enum class PathProblem {
  kNone,
  kNotAPath,       // blank, a network path on Windows, a backslash in a POSIX name, no drive
  kLeadingBlanks,  // a relative path that starts with blanks: without them it names another folder
  kBackslashInName,  // a folder on the way has a backslash in its name, which drive form reads as
                     // two
};

// A typed or found path resolved: its drive form, or else what kept it from drive form and the
// text as typed (or the native path as found), for the run's path check to refuse and for a
// message to name.
struct ResolvedPath {
  PathProblem problem = PathProblem::kNone;
  DriveFormPath drive_form;  // when there is no problem
  std::string as_typed;      // when there is one
  // A path that is in drive form already.
  static ResolvedPath Of(DriveFormPath path) { return {PathProblem::kNone, std::move(path), {}}; }
  // What the run's path check takes: the drive form, or else the text as typed.
  const std::string& RunText() const {
    return problem == PathProblem::kNone ? drive_form.text() : as_typed;
  }
};

// A typed path in the drive form the run takes:
// - drive form ("Z:\data\B-1", blanks around it allowed) stays, with slashes as backslashes;
// - blank text, and text that drive form cannot come from (a backslash in a POSIX name, a network
//   path on Windows), stays as typed, kNotAPath, for the run's path check to refuse;
// - any other text is a native path: "~" and "~/..." start at the home folder, "~name/..." at
//   that user's, an absolute path at the root (blanks before it are dropped), and a relative path
//   at the current directory of the table's current drive (a relative path that starts with
//   blanks is kLeadingBlanks, since the name with the blanks and the one without are two
//   folders). It is made absolute, without trailing separators, in the drive form of its drive
//   ("Z:" alone for a drive's root). Trailing blanks stay, for the run to check.
// kBackslashInName when a name on the way holds a backslash; kNotAPath when no drive holds it.
ResolvedPath ResolveTyped(const DriveTable& drives, const TypedPath& typed);

// The drive form of a native path found on disk, as found; kBackslashInName when a name in it
// holds a backslash, kNotAPath when no drive holds it.
ResolvedPath ResolveFound(const DriveTable& drives, const std::filesystem::path& native);

// A drive-form path as people read it: the native path where kShowsNativePaths, else unchanged.
// Text that names no drive of the table stays unchanged too.
std::string ShownPath(const DriveTable& drives, std::string_view drive_form);
inline std::string ShownPath(const DriveTable& drives, const DriveFormPath& path) {
  return ShownPath(drives, path.text());
}

}  // namespace tavrimen::platform
