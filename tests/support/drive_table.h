// Test support: a drive table for the length of a test, restored afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/drives.h"

namespace tavrimen::testing {

class ScopedDrives {
 public:
  explicit ScopedDrives(const std::string& table) {
    if (const char* old = std::getenv("TAVRIMEN_DRIVES")) old_ = old;
    setenv("TAVRIMEN_DRIVES", table.c_str(), 1);
    platform::ResetDrivesFromEnvironment();
  }
  ~ScopedDrives() {
    if (old_) {
      setenv("TAVRIMEN_DRIVES", old_->c_str(), 1);
    } else {
      unsetenv("TAVRIMEN_DRIVES");
    }
    platform::ResetDrivesFromEnvironment();
  }
  ScopedDrives(const ScopedDrives&) = delete;
  ScopedDrives& operator=(const ScopedDrives&) = delete;

 private:
  std::optional<std::string> old_;
};

}  // namespace tavrimen::testing
