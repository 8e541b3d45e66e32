// The language the user reads: Japanese under a Japanese locale (LC_ALL, LC_MESSAGES or LANG
// starting with "ja", the first of them that is set), or, where none is set on Windows, under a
// Japanese user interface language; English otherwise.
#pragma once

namespace tavrimen::platform {

enum class Language { kJapanese, kEnglish };

Language UserLanguage();

}  // namespace tavrimen::platform
