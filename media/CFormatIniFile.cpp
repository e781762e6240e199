#include "media/CFormatIniFile.h"

#include "media/CWorkPaths.h"
#include "platform/CAsciiText.h"
#include "platform/RX40CVMIniFile.h"

#include <algorithm>
#include <filesystem>

namespace {

// The patterns of one filter entry "description|*.a;*.b|".
std::vector<std::string> PatternsOf(const std::string& filter) {
    std::vector<std::string> patterns;
    const std::size_t first = filter.find('|');
    if (first == std::string::npos) {
        return patterns;
    }
    const std::size_t second = filter.find('|', first + 1);
    const std::string list = filter.substr(
        first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    std::size_t start = 0;
    for (std::size_t end; (end = list.find(';', start)) != std::string::npos; start = end + 1) {
        patterns.push_back(list.substr(start, end - start));
    }
    patterns.push_back(list.substr(start));
    return patterns;
}

} // namespace

CFormatIniFile::CFormatIniFile(const std::string& programDir, bool stillImage)
    : m_path((std::filesystem::path(programDir) / FileName).string()) {
    RX40CVMIniFile file(m_path);
    file.SetSection(stillImage ? "Image" : "Output");
    for (int n = 1;; ++n) {
        std::string filter = file.ReadString("Filter" + std::to_string(n), "");
        if (filter.empty()) {
            break;
        }
        m_filters.push_back(std::move(filter));
        m_commands.push_back(file.ReadString("Command" + std::to_string(n), ""));
    }
}

CFormatIniFile::~CFormatIniFile() = default;

std::string CFormatIniFile::GetFilterString() const {
    if (m_filters.empty()) {
        return "AVI file(*.avi)|*.avi||";
    }
    std::string joined;
    for (const std::string& filter : m_filters) {
        joined += filter;
    }
    return joined + "|";
}

std::string CFormatIniFile::Command(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_commands.size()) {
        return {};
    }
    return m_commands[static_cast<std::size_t>(index)];
}

int CFormatIniFile::ProfileFor(const std::string& target) const {
    for (std::size_t i = 0; i < m_filters.size(); ++i) {
        if (Takes(static_cast<int>(i), target)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CFormatIniFile::ProfileFor(const std::string& target, int chosen) const {
    const int typed = ProfileFor(target);
    return typed < 0 || Takes(chosen, target) ? chosen : typed;
}

bool CFormatIniFile::Takes(int index, const std::string& target) const {
    const std::string stem = CWorkPaths::Stem(target);
    if (index < 0 || static_cast<std::size_t>(index) >= m_filters.size() ||
        stem.size() == target.size()) {
        return false;
    }
    const std::string wanted = "*" + target.substr(stem.size());
    const std::vector<std::string> patterns =
        PatternsOf(m_filters[static_cast<std::size_t>(index)]);
    return std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
        return CAsciiText::EqualNoCase(pattern, wanted);
    });
}
