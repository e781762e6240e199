#pragma once

#include <string>
#include <string_view>

// Chooses the user-interface language at start-up: "Language.md" in the program folder names
// one (its first line only), otherwise the user's default language holds.
class CUILanguage {
public:
    // The language id, after setting the thread's interface language when the file exists.
    static int SelectUILanguage(const std::string& programFolder);
    // 0 for anything but the five words of the language file.
    static int LanguageIdFromWord(std::string_view word);
    // "en-US", "ja-JP", ...: the C run-time locale of the language ("en-US" for unlisted ones).
    static std::string LocaleName(int languageId);
    // The same as a POSIX locale name in UTF-8: "ja-JP" -> "ja_JP.UTF-8".
    static std::string PosixLocaleName(int languageId);
    // Sets the C run-time locale for all categories to the language's locale when it is
    // installed, else "C.UTF-8"; returns the name that took effect.
    static std::string SetRuntimeLocale(int languageId);
};
