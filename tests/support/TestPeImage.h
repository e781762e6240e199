#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Little-endian stores into a byte image under construction.
inline void PutLe(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A PE32+ image that carries a given version record: one section, ".rsrc", whose raw data
// starts with the resource directory (root, type 16, name 1, language 0x409, data entry) and
// ends with the version record, which is also the end of the file.
namespace TestPeImage {

constexpr std::size_t PeHeader = 0x40;
constexpr std::size_t Optional = PeHeader + 24;
constexpr std::size_t OptionalSize = 240;
constexpr std::size_t SectionTable = Optional + OptionalSize;
constexpr std::size_t Raw = 0x200;
constexpr std::uint32_t Rva = 0x1000;
constexpr std::size_t RootDir = 0x00;
constexpr std::size_t TypeDir = 0x20;
constexpr std::size_t NameDir = 0x38;
constexpr std::size_t DataEntry = 0x50;
constexpr std::size_t Record = 0x60;
constexpr std::uint32_t Subdirectory = 0x80000000u;

inline void PutDirectory(std::vector<std::uint8_t>& image, std::size_t at,
                         const std::vector<std::pair<std::uint32_t, std::uint32_t>>& entries) {
    PutLe(image, Raw + at + 14, entries.size(), 2);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        PutLe(image, Raw + at + 16 + 8 * i, entries[i].first, 4);
        PutLe(image, Raw + at + 20 + 8 * i, entries[i].second, 4);
    }
}

inline std::vector<std::uint8_t> WithRecord(const std::vector<std::uint8_t>& record) {
    const std::size_t rawSize = Record + record.size();
    std::vector<std::uint8_t> image(Raw + rawSize, 0);
    PutLe(image, 0, 0x5A4D, 2);
    PutLe(image, 0x3C, PeHeader, 4);
    PutLe(image, PeHeader, 0x00004550, 4);
    PutLe(image, PeHeader + 4, 0x8664, 2);
    PutLe(image, PeHeader + 6, 1, 2);
    PutLe(image, PeHeader + 20, OptionalSize, 2);
    PutLe(image, Optional, 0x20B, 2);
    PutLe(image, Optional + 108, 16, 4);
    PutLe(image, Optional + 112 + 16, Rva, 4);
    PutLe(image, Optional + 112 + 20, rawSize, 4);
    PutLe(image, SectionTable, 0x637273722E, 5); // ".rsrc"
    PutLe(image, SectionTable + 8, rawSize, 4);
    PutLe(image, SectionTable + 12, Rva, 4);
    PutLe(image, SectionTable + 16, rawSize, 4);
    PutLe(image, SectionTable + 20, Raw, 4);
    // An icon group type before the version type: the walk must pick type 16, not the first.
    PutDirectory(image, RootDir, {{14, Subdirectory | NameDir}, {16, Subdirectory | TypeDir}});
    PutDirectory(image, TypeDir, {{1, Subdirectory | NameDir}});
    PutDirectory(image, NameDir, {{0x409, DataEntry}});
    PutLe(image, Raw + DataEntry, Rva + Record, 4);
    PutLe(image, Raw + DataEntry + 4, record.size(), 4);
    std::copy(record.begin(), record.end(), image.begin() + Raw + Record);
    return image;
}

} // namespace TestPeImage
