#include "resources/version/CVersionDescription.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace {
std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    const auto last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}
} // namespace

CVersionDescription CVersionDescription::Parse(std::istream& in) {
    CVersionDescription description;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string content = trim(line);
        if (content.empty() || content[0] == '#') {
            continue;
        }
        const auto equals = content.find('=');
        try {
            if (equals == std::string::npos) {
                throw std::invalid_argument("expected key=value");
            }
            description.apply(trim(content.substr(0, equals)), trim(content.substr(equals + 1)));
        } catch (const std::exception& error) {
            throw std::runtime_error("line " + std::to_string(number) + ": " + error.what());
        }
    }
    const auto& seen = description.m_seen;
    if (!seen.contains("FixedFileVersion") || !seen.contains("FixedProductVersion") ||
        !seen.contains("Translation")) {
        throw std::runtime_error(
            "FixedFileVersion, FixedProductVersion and Translation are required");
    }
    return description;
}

void CVersionDescription::apply(const std::string& key, const std::string& value) {
    if (key.empty() || !m_seen.insert(key).second) {
        throw std::invalid_argument("empty or repeated key '" + key + "'");
    }
    if (key == "FixedFileVersion") {
        m_fileVersion = parseVersion(value);
    } else if (key == "FixedProductVersion") {
        m_productVersion = parseVersion(value);
    } else if (key == "Translation") {
        const auto comma = value.find(',');
        if (comma == std::string::npos) {
            throw std::invalid_argument("expected language,code page");
        }
        m_language = parseNumber(trim(value.substr(0, comma)));
        m_codePage = parseNumber(trim(value.substr(comma + 1)));
    } else {
        m_entries.emplace_back(key, value);
    }
}

CVersionRecordBuilder::Version CVersionDescription::parseVersion(const std::string& text) {
    CVersionRecordBuilder::Version version{};
    std::istringstream parts(text);
    std::string part;
    std::size_t count = 0;
    while (std::getline(parts, part, '.')) {
        if (count == version.size()) {
            throw std::invalid_argument("a version has four parts");
        }
        version[count++] = parseNumber(part);
    }
    if (count != version.size()) {
        throw std::invalid_argument("a version has four parts");
    }
    return version;
}

// Decimal, or hexadecimal with 0x; 0 to 65535.
std::uint16_t CVersionDescription::parseNumber(const std::string& text) {
    std::size_t used = 0;
    unsigned long value = 0;
    try {
        value = std::stoul(text, &used, 0);
    } catch (const std::exception&) {
        used = 0;
    }
    if (text.empty() || used != text.size() || value > 0xFFFF || text[0] == '-') {
        throw std::invalid_argument("'" + text + "' is not a number from 0 to 65535");
    }
    return static_cast<std::uint16_t>(value);
}

std::string CVersionDescription::TableKey() const {
    char key[16];
    std::snprintf(key, sizeof key, "%04x%04x", m_language, m_codePage);
    return key;
}

std::vector<std::uint8_t> CVersionDescription::BuildRecord() const {
    CVersionRecordBuilder builder;
    builder.SetFixedFileVersion(m_fileVersion);
    builder.SetFixedProductVersion(m_productVersion);
    builder.AddStringTable(TableKey(), m_entries);
    builder.AddTranslation(m_language, m_codePage);
    return builder.Build();
}
