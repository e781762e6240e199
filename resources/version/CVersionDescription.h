#pragma once

#include "resources/version/CVersionRecordBuilder.h"

#include <cstdint>
#include <istream>
#include <set>
#include <string>

// The text description of a version record: key=value lines, '#' comments. The keys
// FixedFileVersion, FixedProductVersion (a.b.c.d) and Translation (language,code page) are
// required; every other key is a string entry, written in the order given. Parse throws
// std::runtime_error naming the offending line.
class CVersionDescription {
public:
    static CVersionDescription Parse(std::istream& in);

    std::vector<std::uint8_t> BuildRecord() const;
    // The string table's key, "%04x%04x" of language and code page.
    std::string TableKey() const;

private:
    void apply(const std::string& key, const std::string& value);
    static CVersionRecordBuilder::Version parseVersion(const std::string& text);
    static std::uint16_t parseNumber(const std::string& text);

    CVersionRecordBuilder::Version m_fileVersion{};
    CVersionRecordBuilder::Version m_productVersion{};
    std::uint16_t m_language = 0;
    std::uint16_t m_codePage = 0;
    CVersionRecordBuilder::Entries m_entries;
    std::set<std::string> m_seen;
};
