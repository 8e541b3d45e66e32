// Test support: setting and removing environment variables on every platform.
#pragma once

#include <cstdlib>
#include <string>

namespace tavrimen::testing {

inline void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

inline void UnsetEnv(const char* name) {
#ifdef _WIN32
  _putenv_s(name, "");
#else
  unsetenv(name);
#endif
}

}  // namespace tavrimen::testing
