#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Writes a VS_VERSIONINFO record: the fixed part, string tables and the translation list.
// Texts are given as UTF-8 and stored as UTF-16LE; invalid UTF-8 throws std::invalid_argument.
class CVersionRecordBuilder {
public:
    using Version = std::array<std::uint16_t, 4>;
    using Entries = std::vector<std::pair<std::string, std::string>>;

    void SetFixedFileVersion(const Version& version) { m_fileVersion = version; }
    void SetFixedProductVersion(const Version& version) { m_productVersion = version; }
    void AddStringTable(const std::string& key, const Entries& entries);
    void AddTranslation(std::uint16_t language, std::uint16_t codePage);

    std::vector<std::uint8_t> Build() const;

private:
    struct Node {
        std::string key;
        std::uint16_t type = 0;
        std::vector<std::uint8_t> value;
        std::uint16_t valueLength = 0;
        std::vector<Node> children;
    };

    static Node textNode(const std::string& key, const std::string& text);
    static void write(const Node& node, std::vector<std::uint8_t>& out);
    static std::vector<std::uint8_t> utf16(const std::string& text);
    std::vector<std::uint8_t> fixedPart() const;

    Version m_fileVersion{};
    Version m_productVersion{};
    std::vector<Node> m_tables;
    std::vector<std::uint8_t> m_translations;
};
