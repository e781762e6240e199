#include "app/McCVersionInfo.h"

#include "versionlib/RX40CVersionRecord.h"
#include "versionlib/RX40CVersionRecordFile.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::array<std::uint16_t, 12> FallbackCodePages = {
    0, 932, 949, 950, 1200, 1250, 1251, 1252, 1253, 1254, 1255, 1256};

// 0x0401 to 0x0421, then the sublanguages that follow.
constexpr std::array<std::uint16_t, 12> FallbackSublanguages = {
    0x0804, 0x0807, 0x0809, 0x080A, 0x080C, 0x0810, 0x0813, 0x0814, 0x0816, 0x081A, 0x0C0C, 0x100C};
constexpr std::uint16_t FirstLanguage = 0x0401;
constexpr std::uint16_t LastLanguage = 0x0421;

} // namespace

McCVersionInfo::McCVersionInfo(const std::string& modulePath) : m_strModulePath(modulePath) {
    std::vector<std::uint8_t> bytes = RX40CVersionRecordFile::Read(m_strModulePath);
    if (bytes.empty()) {
        return;
    }
    m_record = std::make_unique<RX40CVersionRecord>(std::move(bytes));
    m_hasTranslation = m_record->FirstTranslation(m_language, m_codePage);
}

McCVersionInfo::~McCVersionInfo() = default;

bool McCVersionInfo::QueryFileVersion(std::string& text) const {
    text.clear();
    if (!m_record || !m_hasTranslation) {
        return false;
    }
    if (query(m_language, m_codePage, text)) {
        return true;
    }
    for (const std::uint16_t codePage : FallbackCodePages) {
        for (std::uint16_t language = FirstLanguage; language <= LastLanguage; ++language) {
            if (query(language, codePage, text)) {
                return true;
            }
        }
        for (const std::uint16_t language : FallbackSublanguages) {
            if (query(language, codePage, text)) {
                return true;
            }
        }
    }
    return false;
}

bool McCVersionInfo::query(std::uint16_t language, std::uint16_t codePage, std::string& text) const {
    char table[16];
    std::snprintf(table, sizeof table, "%04x%04x", language, codePage);
    if (m_record->Text(table, "FileVersion", text)) {
        return true;
    }
    text.clear();
    return false;
}
