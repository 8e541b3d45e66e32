// Test support: drive tables and the file systems of the runs a test makes.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/disk_file_system.h"
#include "platform/drive_table.h"
#include "support/environment.h"

namespace tavrimen::testing {

// The drive table of the environment, as the programs build it.
class TestDrives {
 public:
  TestDrives() : table_(platform::DriveTable::FromEnvironment()) {}
  explicit TestDrives(const std::string& table_text) : table_(table_text) {}
  TestDrives(const TestDrives&) = delete;
  TestDrives& operator=(const TestDrives&) = delete;

  platform::DriveTable& table() { return table_; }
  // A new file system over the table, as each run gets one; valid until the next call.
  platform::DiskFileSystem& Files() { return files_.emplace(table_); }

 private:
  platform::DriveTable table_;
  std::optional<platform::DiskFileSystem> files_;
};

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    SetEnv(name, value);
  }
  ~ScopedEnv() {
    if (old_) {
      SetEnv(name_, *old_);
    } else {
      UnsetEnv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A drive table for the length of a test; the environment variable TAVRIMEN_DRIVES is set to it
// too, for the windows and processes the test starts, and restored afterwards.
class ScopedDrives : private ScopedEnv, public TestDrives {
 public:
  explicit ScopedDrives(const std::string& table)
      : ScopedEnv("TAVRIMEN_DRIVES", table), TestDrives(table) {}
};

}  // namespace tavrimen::testing
