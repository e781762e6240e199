#pragma once

#include <string>
#include <vector>

// The program's texts by number, in the selected user-interface language. Japanese (1041)
// has its own table; every other language reads the English one (1033).
//
// Table format: "[strings]" and "[menus]" start the two kinds of entries; an entry line is the
// number, a tab and the text, where \n, \t and \\ stand for a line break, a tab and a
// backslash. Lines starting with '#' are comments.
class CStringTable {
public:
    static constexpr int English = 1033;
    static constexpr int Japanese = 1041;

    // The thread's user-interface language; the user's default language until set.
    static void SetLanguage(int languageId);
    static int Language();

    // Empty when the table has no such entry.
    static std::string Load(int id);
    static std::string Load(int id, int languageId);
    // The text with "%1" replaced by argument.
    static std::string Format(int id, const std::string& argument);
    // The text with every "%1", "%2", ... replaced by the arguments in order.
    static std::string Format(int id, const std::vector<std::string>& arguments);
    // Menu captions: popups by CResourceId, items by their command id.
    static std::string LoadMenu(int id);
    static std::string LoadMenu(int id, int languageId);

    static std::vector<int> StringIds(int languageId);
    static std::vector<int> MenuIds(int languageId);
};
