#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class RX40CFileReader;

// Finds the version record that our own ELF64 little-endian files carry in a section of
// their own, named in the section header table.
class RX40CElfVersionLocator {
public:
    static constexpr std::string_view SectionName = ".qv_version";

    explicit RX40CElfVersionLocator(const RX40CFileReader& file) : m_file(file) {}

    // The section's bytes (at most the largest possible record), or false when the file is
    // not a well-formed ELF64 little-endian file with that section.
    bool Find(std::vector<std::uint8_t>& record);

private:
    struct Section {
        std::uint32_t name = 0;
        std::uint32_t type = 0;
        std::uint64_t offset = 0;
        std::uint64_t size = 0;
    };

    bool readHeader();
    bool readSectionTable();
    bool section(std::uint32_t index, Section& out) const;
    bool hasName(const Section& candidate) const;

    const RX40CFileReader& m_file;
    std::uint64_t m_tableOffset = 0;
    std::uint16_t m_entrySize = 0;
    std::uint16_t m_count = 0;
    std::uint16_t m_namesIndex = 0;
    std::vector<std::uint8_t> m_table;
    std::vector<std::uint8_t> m_names;
};
