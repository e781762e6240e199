#pragma once

#include <cstdint>
#include <memory>
#include <string>

class RX40CVersionRecord;

// The About box's reader of one program's version record: its "FileVersion" text under the
// record's first translation, or under the first of the usual language and code page pairs
// that has one, for records whose translation table names a pair they carry no strings for.
class McCVersionInfo {
public:
    explicit McCVersionInfo(const std::string& modulePath);
    McCVersionInfo(const McCVersionInfo&) = delete;
    McCVersionInfo& operator=(const McCVersionInfo&) = delete;
    virtual ~McCVersionInfo();

    // False, with `text` empty, when no record, no translation or no such entry was found.
    bool QueryFileVersion(std::string& text) const;

private:
    bool query(std::uint16_t language, std::uint16_t codePage, std::string& text) const;

    std::string m_strModulePath;
    std::unique_ptr<RX40CVersionRecord> m_record;
    bool m_hasTranslation = false;
    std::uint16_t m_language = 0;
    std::uint16_t m_codePage = 0;
};
