#include "versionlib/RX40CFileVersion.h"

#include "versionlib/RX40CVersionRecord.h"
#include "versionlib/RX40CVersionRecordFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {
std::string runningExecutable() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}
} // namespace

RX40CFileVersion::RX40CFileVersion() : m_strFilePath(runningExecutable()) {
    init();
}

RX40CFileVersion::RX40CFileVersion(const std::string& path) : m_strFilePath(path) {
    init();
}

RX40CFileVersion::RX40CFileVersion(const RX40CFileVersion& other) = default;
RX40CFileVersion& RX40CFileVersion::operator=(const RX40CFileVersion& other) = default;
RX40CFileVersion::~RX40CFileVersion() = default;

void RX40CFileVersion::init() {
    static const std::pair<const char*, std::string RX40CFileVersion::*> entries[] = {
        {"CompanyName", &RX40CFileVersion::m_strCompanyName},
        {"FileDescription", &RX40CFileVersion::m_strFileDescription},
        {"FileVersion", &RX40CFileVersion::m_strFileVersion},
        {"InternalName", &RX40CFileVersion::m_strInternalName},
        {"LegalCopyright", &RX40CFileVersion::m_strLegalCopyright},
        {"OriginalFileName", &RX40CFileVersion::m_strOriginalFileName},
        {"ProductName", &RX40CFileVersion::m_strProductName},
        {"ProductVersion", &RX40CFileVersion::m_strProductVersion},
        {"Comments", &RX40CFileVersion::m_strComments},
        {"LegalTrademarks", &RX40CFileVersion::m_strLegalTrademarks},
        {"PrivateBuild", &RX40CFileVersion::m_strPrivateBuild},
        {"SpecialBuild", &RX40CFileVersion::m_strSpecialBuild},
    };
    for (const auto& entry : entries) {
        (this->*entry.second).clear();
    }
    const RX40CVersionRecord record(RX40CVersionRecordFile::Read(m_strFilePath));
    record.CopyFixed(m_fixed);
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
    if (!record.FirstTranslation(language, codePage)) {
        return;
    }
    char table[16];
    std::snprintf(table, sizeof table, "%04x%04x", language, codePage);
    for (const auto& entry : entries) {
        record.Text(table, entry.first, this->*entry.second);
    }
}

std::string RX40CFileVersion::toStrFixedVersion(std::uint32_t high, std::uint32_t low) {
    char text[64];
    std::snprintf(text, sizeof text, "%d, %d, %d, %d", static_cast<int>(high >> 16),
                  static_cast<int>(high & 0xFFFF), static_cast<int>(low >> 16),
                  static_cast<int>(low & 0xFFFF));
    return text;
}

std::string RX40CFileVersion::ToStrFixedFileVersion() const {
    return toStrFixedVersion(m_fixed[2], m_fixed[3]);
}
std::string RX40CFileVersion::ToStrFixedProductVersion() const {
    return toStrFixedVersion(m_fixed[4], m_fixed[5]);
}
std::string RX40CFileVersion::GetSpecialBuild() const {
    return m_strSpecialBuild;
}
std::string RX40CFileVersion::GetProductVersion() const {
    return m_strProductVersion;
}
std::string RX40CFileVersion::GetProductName() const {
    return m_strProductName;
}
std::string RX40CFileVersion::GetPrivateBuild() const {
    return m_strPrivateBuild;
}
std::string RX40CFileVersion::GetLegalTrademarks() const {
    return m_strLegalTrademarks;
}
std::string RX40CFileVersion::GetLegalCopyright() const {
    return m_strLegalCopyright;
}
std::string RX40CFileVersion::GetInternalName() const {
    return m_strInternalName;
}
std::string RX40CFileVersion::GetFileVersion() const {
    return m_strFileVersion;
}
std::string RX40CFileVersion::GetOriginalFileName() const {
    return m_strOriginalFileName;
}
std::string RX40CFileVersion::GetFileDescription() const {
    return m_strFileDescription;
}
std::string RX40CFileVersion::GetCompanyName() const {
    return m_strCompanyName;
}
std::string RX40CFileVersion::GetComments() const {
    return m_strComments;
}
std::string RX40CFileVersion::GetFilePath() const {
    return m_strFilePath;
}
std::string RX40CFileVersion::GetFileName() const {
    const auto slash = m_strFilePath.find_last_of('/');
    return slash == std::string::npos ? m_strFilePath : m_strFilePath.substr(slash + 1);
}
