#include "platform/native_paths.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "support/drive_table.h"

namespace tavrimen::platform {
namespace {

using testing::ScopedEnv;
using testing::TestDrives;

// What the run takes of a typed path, and what kept it from drive form.
std::pair<std::string, PathProblem> Resolved(const DriveTable& drives, const std::string& typed) {
  const ResolvedPath resolved = ResolveTyped(drives, {typed});
  return {resolved.RunText(), resolved.problem};
}

TEST(NativePaths, TypedPathsTakeTheDriveFormOfTheirDriveOnce) {
  TestDrives drives("C=/srv/site");
  for (const char* kept : {"", "   ", "\\\\srv\\x"}) {
    EXPECT_EQ(Resolved(drives.table(), kept), std::pair(std::string(kept), PathProblem::kNotAPath));
  }
  for (const char* kept : {"C:\\DATA\\", "  C:\\DATA ", "D:"}) {
    EXPECT_EQ(Resolved(drives.table(), kept), std::pair(std::string(kept), PathProblem::kNone));
  }
  EXPECT_EQ(Resolved(drives.table(), "C:/DATA/B-1").first, "C:\\DATA\\B-1");
#ifndef _WIN32
  ScopedEnv home("HOME", "/home/me");
  drives.table().SetCurrentDirectory(*drives.table().Resolve("C:\\north"));
  const struct {
    const char* typed;
    const char* run_text;
    PathProblem problem;
  } cases[] = {
      {"/tmp/x/", "Z:\\tmp\\x", PathProblem::kNone},
      {"/", "Z:", PathProblem::kNone},
      {"/tmp/./x/../y", "Z:\\tmp\\y", PathProblem::kNone},
      // pasted with blanks; the trailing ones are the run's to check
      {"  /tmp/x ", "Z:\\tmp\\x ", PathProblem::kNone},
      {"/srv/site/B-1", "C:\\B-1", PathProblem::kNone},  // the drive whose root is the longest part
      {"~", "Z:\\home\\me", PathProblem::kNone},
      {"~/site/B-1", "Z:\\home\\me\\site\\B-1", PathProblem::kNone},
      {"B-1", "C:\\north\\B-1", PathProblem::kNone},  // from the current directory of the drive
      {"../south", "C:\\south", PathProblem::kNone},
      // Without its blanks a relative path names another folder: refused, never that one.
      {" B-1", " B-1", PathProblem::kLeadingBlanks},
      {"  out/x", "  out/x", PathProblem::kLeadingBlanks},
      {"DATA\\SUB", "DATA\\SUB", PathProblem::kNotAPath},  // no POSIX name holds a backslash here
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Resolved(drives.table(), c.typed), std::pair(std::string(c.run_text), c.problem))
        << c.typed;
  }
  // A working folder whose name holds a backslash, which drive form would read as two names:
  // relative paths are refused, absolute ones still resolve; and so are paths found on disk.
  drives.table().SetCurrentDirectory({'C', {"cw\\d"}});
  EXPECT_EQ(Resolved(drives.table(), "out"),
            std::pair(std::string("out"), PathProblem::kBackslashInName));
  EXPECT_EQ(Resolved(drives.table(), "/tmp/x").second, PathProblem::kNone);
  EXPECT_EQ(ResolveFound(drives.table(), "/srv/site/a\\b").problem, PathProblem::kBackslashInName);
  EXPECT_EQ(ResolveFound(drives.table(), "/srv/site/a b").drive_form.text(), "C:\\a b");
#endif
}

TEST(NativePaths, DriveFormIsShownNativelyWhereUsersReadNativePaths) {
  TestDrives drives("C=/srv/site");
  if (kShowsNativePaths) {
    EXPECT_EQ(ShownPath(drives.table(), "C:\\B-1\\"), "/srv/site/B-1");
    EXPECT_EQ(ShownPath(drives.table(), "Z:\\"), "/");
  } else {
    EXPECT_EQ(ShownPath(drives.table(), "C:\\B-1\\"), "C:\\B-1\\");
  }
  // Text that names no drive stays as it is.
  EXPECT_EQ(ShownPath(drives.table(), "Q:\\x"), "Q:\\x");
}

}  // namespace
}  // namespace tavrimen::platform
