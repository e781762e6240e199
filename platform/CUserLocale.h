#pragma once

#include <string_view>

// The user's default language as a platform language id (1033 English (US), 1041 Japanese, ...),
// taken from the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty.
class CUserLocale {
public:
    static int UserDefaultLanguageId();
    // "ja_JP.UTF-8" -> 1041; unknown names, "C" and "POSIX" -> 1033.
    static int LanguageIdFromLocaleName(std::string_view name);
};
