// Test support: a drive table for the length of a test, restored afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/drives.h"
#include "support/environment.h"

namespace tavrimen::testing {

class ScopedDrives {
 public:
  explicit ScopedDrives(const std::string& table) {
    if (const char* old = std::getenv("TAVRIMEN_DRIVES")) old_ = old;
    SetEnv("TAVRIMEN_DRIVES", table);
    platform::ResetDrivesFromEnvironment();
  }
  ~ScopedDrives() {
    if (old_) {
      SetEnv("TAVRIMEN_DRIVES", *old_);
    } else {
      UnsetEnv("TAVRIMEN_DRIVES");
    }
    platform::ResetDrivesFromEnvironment();
  }
  ScopedDrives(const ScopedDrives&) = delete;
  ScopedDrives& operator=(const ScopedDrives&) = delete;

 private:
  std::optional<std::string> old_;
};

}  // namespace tavrimen::testing
