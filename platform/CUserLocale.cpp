#include "platform/CUserLocale.h"

#include <array>
#include <cstdlib>

namespace {

struct Row {
    std::string_view prefix; // language, or language_territory
    int id;
};

// Territory rows come before the row of their language.
constexpr std::array<Row, 30> Rows{{
    {"zh_TW", 1028}, {"zh_HK", 3076}, {"zh", 2052}, {"ja", 1041}, {"en", 1033},    {"de", 1031},
    {"ko", 1042},    {"fr", 1036},    {"it", 1040}, {"es", 3082}, {"pt_BR", 1046}, {"pt", 2070},
    {"ru", 1049},    {"nl", 1043},    {"pl", 1045}, {"sv", 1053}, {"da", 1030},    {"fi", 1035},
    {"nb", 1044},    {"cs", 1029},    {"hu", 1038}, {"tr", 1055}, {"el", 1032},    {"uk", 1058},
    {"th", 1054},    {"vi", 1066},    {"id", 1057}, {"ar", 1025}, {"he", 1037},    {"hi", 1081},
}};

// The prefix must be followed by the end of the name or a separator ("en" is not "eno").
bool StartsWithPart(std::string_view name, std::string_view prefix) {
    if (name.substr(0, prefix.size()) != prefix) {
        return false;
    }
    return name.size() == prefix.size() || name[prefix.size()] == '_' ||
           name[prefix.size()] == '.' || name[prefix.size()] == '@' || name[prefix.size()] == '-';
}

} // namespace

int CUserLocale::LanguageIdFromLocaleName(std::string_view name) {
    for (const auto& row : Rows) {
        if (StartsWithPart(name, row.prefix)) {
            return row.id;
        }
    }
    return 1033;
}

int CUserLocale::UserDefaultLanguageId() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            return LanguageIdFromLocaleName(value);
        }
    }
    return 1033;
}
