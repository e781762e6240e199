#include "app/CUILanguage.h"

#include "platform/CAsciiText.h"
#include "platform/CUserLocale.h"
#include "resources/CStringTable.h"

#include <array>
#include <clocale>
#include <fstream>

namespace {

struct Word {
    std::string_view text;
    int id;
};

constexpr std::array<Word, 5> Words{{
    {"Japanese", 1041},
    {"English", 1033},
    {"Chinese", 2052},
    {"taiwanese", 1028},
    {"korean", 1042},
}};

} // namespace

int CUILanguage::LanguageIdFromWord(std::string_view word) {
    for (const auto& row : Words) {
        if (CAsciiText::EqualNoCase(word, row.text)) {
            return row.id;
        }
    }
    return 0;
}

int CUILanguage::SelectUILanguage(const std::string& programFolder) {
    int languageId = CUserLocale::UserDefaultLanguageId();
    std::ifstream file(programFolder + "/Language.md");
    if (!file) {
        return languageId;
    }
    std::string line;
    std::getline(file, line);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (const int chosen = LanguageIdFromWord(line)) {
        languageId = chosen;
    }
    CStringTable::SetLanguage(languageId & 0xFFFF);
    return CStringTable::Language() == (languageId & 0xFFFF) ? languageId : 0;
}

std::string CUILanguage::LocaleName(int languageId) {
    switch (languageId) {
    case 1028:
        return "zh-TW";
    case 1041:
        return "ja-JP";
    case 1042:
        return "ko-KR";
    case 2052:
        return "zh-CN";
    default:
        return "en-US";
    }
}

std::string CUILanguage::PosixLocaleName(int languageId) {
    std::string name = LocaleName(languageId);
    name[2] = '_';
    return name + ".UTF-8";
}

std::string CUILanguage::SetRuntimeLocale(int languageId) {
    const std::string name = PosixLocaleName(languageId);
    if (std::setlocale(LC_ALL, name.c_str())) {
        return name;
    }
    std::setlocale(LC_ALL, "C.UTF-8");
    return "C.UTF-8";
}
