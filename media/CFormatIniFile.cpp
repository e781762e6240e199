#include "media/CFormatIniFile.h"

#include "platform/RX40CVMIniFile.h"

#include <filesystem>

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
