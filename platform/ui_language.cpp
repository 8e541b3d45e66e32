#include "platform/ui_language.h"

#include <cstdlib>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tavrimen::platform {

Language UserLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    return std::string_view(value).starts_with("ja") ? Language::kJapanese : Language::kEnglish;
  }
#ifdef _WIN32
  if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE) return Language::kJapanese;
#endif
  return Language::kEnglish;
}

}  // namespace tavrimen::platform
