#include "app/CRecentFileList.h"

#include "platform/RX40CVMIniFile.h"

#include <algorithm>

namespace {

constexpr const char* Section = "Recent File List";

std::string KeyOf(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

CRecentFileList::CRecentFileList(std::string profilePath) : m_profilePath(std::move(profilePath)) {}

void CRecentFileList::Load() {
    RX40CVMIniFile ini(m_profilePath);
    ini.SetSection(Section);
    m_files.clear();
    for (std::size_t i = 0; i < MaxEntries; ++i) {
        const std::string file = ini.ReadString(KeyOf(i), "");
        if (!file.empty()) {
            m_files.push_back(file);
        }
    }
}

bool CRecentFileList::Save() const {
    // Unused slots lose their keys; one replacement of the file for all of them.
    std::vector<RX40CVMIniFile::Entry> entries;
    for (std::size_t i = 0; i < MaxEntries; ++i) {
        entries.push_back(
            {Section, KeyOf(i), i < m_files.size() ? std::optional(m_files[i]) : std::nullopt});
    }
    return RX40CVMIniFile(m_profilePath).WriteEntries(entries);
}

void CRecentFileList::Add(const std::string& path) {
    std::erase(m_files, path);
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > MaxEntries) {
        m_files.resize(MaxEntries);
    }
}

void CRecentFileList::Remove(std::size_t index) {
    if (index < m_files.size()) {
        m_files.erase(m_files.begin() + std::ptrdiff_t(index));
    }
}
