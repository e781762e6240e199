#pragma once

#include <cstdint>
#include <vector>

class RX40CFileReader;

// Finds the version resource of a PE file: DOS header, PE header, section table, then the
// resource directory (type 16, its first name, its first language) down to the data entry.
class RX40CPeVersionLocator {
public:
    explicit RX40CPeVersionLocator(const RX40CFileReader& file) : m_file(file) {}

    // The record's bytes (at most the largest possible record), or false when the file is
    // not a well-formed PE file with a version resource.
    bool Find(std::vector<std::uint8_t>& record);

private:
    struct Section {
        std::uint32_t virtualAddress = 0;
        std::uint32_t rawSize = 0;
        std::uint32_t rawOffset = 0;
    };

    bool readHeaders();
    bool readOptionalHeader(std::uint64_t offset, std::uint16_t size);
    bool readSections(std::uint64_t offset, std::uint16_t count);
    bool readRva(std::uint64_t rva, std::uint64_t size, std::vector<std::uint8_t>& out) const;
    bool entries(std::uint64_t directory, std::vector<std::uint8_t>& out) const;
    bool typeDirectory(std::uint64_t& directory) const;
    bool firstChild(std::uint64_t directory, bool wantDirectory, std::uint64_t& child) const;

    const RX40CFileReader& m_file;
    std::vector<Section> m_sections;
    std::uint64_t m_resourceRva = 0;
};
