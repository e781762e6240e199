#include "resources/CStringTable.h"

#include "platform/CUserLocale.h"
#include "resources/CStringTableText.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <map>

namespace {

struct Table {
    std::map<int, std::string> strings;
    std::map<int, std::string> menus;
};

// 0 until set: the thread then has the user's default language, as a new thread does.
std::atomic<int> g_language{0};

std::string Unescape(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            result += text[i];
            continue;
        }
        const char next = text[++i];
        result += next == 'n' ? '\n' : next == 't' ? '\t' : next;
    }
    return result;
}

void AddEntry(std::map<int, std::string>* target, std::string_view line) {
    const auto tab = line.find('\t');
    int id = 0;
    const auto parsed = std::from_chars(line.data(), line.data() + std::min(tab, line.size()), id);
    if (target && tab != std::string_view::npos && parsed.ec == std::errc{}) {
        (*target)[id] = Unescape(line.substr(tab + 1));
    }
}

Table Parse(std::string_view text) {
    Table table;
    std::map<int, std::string>* target = nullptr;
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line == "[strings]") {
            target = &table.strings;
        } else if (line == "[menus]") {
            target = &table.menus;
        } else if (!line.empty() && line.front() != '#') {
            AddEntry(target, line);
        }
    }
    return table;
}

bool IsJapanese(int languageId) {
    return (languageId & 0x3FF) == (CStringTable::Japanese & 0x3FF);
}

const Table& TableFor(int languageId) {
    static const Table english = Parse(CStringTableText::English());
    static const Table japanese = Parse(CStringTableText::Japanese());
    return IsJapanese(languageId) ? japanese : english;
}

std::string Find(const std::map<int, std::string>& entries, int id) {
    const auto found = entries.find(id);
    return found == entries.end() ? std::string{} : found->second;
}

std::vector<int> Keys(const std::map<int, std::string>& entries) {
    std::vector<int> ids;
    for (const auto& entry : entries) {
        ids.push_back(entry.first);
    }
    return ids;
}

} // namespace

void CStringTable::SetLanguage(int languageId) {
    g_language = languageId;
}

int CStringTable::Language() {
    const int language = g_language;
    return language != 0 ? language : CUserLocale::UserDefaultLanguageId();
}

std::string CStringTable::Load(int id) {
    return Load(id, Language());
}

std::string CStringTable::Load(int id, int languageId) {
    return Find(TableFor(languageId).strings, id);
}

std::string CStringTable::Format(int id, const std::string& argument) {
    return Format(id, std::vector<std::string>{argument});
}

// One pass, so an argument that itself holds "%2" stays as it is.
std::string CStringTable::Format(int id, const std::vector<std::string>& arguments) {
    const std::string text = Load(id);
    std::string formatted;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool mark = text[at] == '%' && at + 1 < text.size() && text[at + 1] >= '1' &&
                          text[at + 1] <= '9';
        const auto index = mark ? static_cast<std::size_t>(text[at + 1] - '1') : arguments.size();
        if (index < arguments.size()) {
            formatted += arguments[index];
            ++at;
        } else {
            formatted += text[at];
        }
    }
    return formatted;
}

std::string CStringTable::LoadMenu(int id) {
    return LoadMenu(id, Language());
}

std::string CStringTable::LoadMenu(int id, int languageId) {
    return Find(TableFor(languageId).menus, id);
}

std::vector<int> CStringTable::StringIds(int languageId) {
    return Keys(TableFor(languageId).strings);
}

std::vector<int> CStringTable::MenuIds(int languageId) {
    return Keys(TableFor(languageId).menus);
}
