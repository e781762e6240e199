#include "versionlib/RX40CPeVersionLocator.h"

#include "versionlib/RX40CByteView.h"
#include "versionlib/RX40CFileReader.h"

#include <algorithm>

namespace {
constexpr std::uint16_t DosMagic = 0x5A4D;    // "MZ"
constexpr std::uint32_t PeMagic = 0x00004550; // "PE\0\0"
constexpr std::uint16_t Pe32Magic = 0x10B;
constexpr std::uint16_t Pe32PlusMagic = 0x20B;
constexpr std::uint32_t ResourceDirectoryIndex = 2;
constexpr std::uint32_t VersionType = 16;
constexpr std::uint32_t HighBit = 0x80000000u;
constexpr std::uint64_t SectionHeaderSize = 40;
constexpr std::uint64_t DirectoryHeaderSize = 16;
constexpr std::uint64_t EntrySize = 8;
constexpr std::uint64_t MaxRecord = 0x10000;
} // namespace

bool RX40CPeVersionLocator::Find(std::vector<std::uint8_t>& record) {
    std::uint64_t type = 0;
    std::uint64_t name = 0;
    std::uint64_t dataEntry = 0;
    std::vector<std::uint8_t> entry;
    std::uint32_t dataRva = 0;
    std::uint32_t dataSize = 0;
    if (!readHeaders() || !typeDirectory(type) || !firstChild(type, true, name) ||
        !firstChild(name, false, dataEntry) || !readRva(dataEntry, 8, entry)) {
        return false;
    }
    const RX40CByteView view(entry);
    return view.U32(0, dataRva) && view.U32(4, dataSize) &&
           readRva(dataRva, std::min<std::uint64_t>(dataSize, MaxRecord), record);
}

bool RX40CPeVersionLocator::readHeaders() {
    std::vector<std::uint8_t> dos;
    std::vector<std::uint8_t> pe;
    std::uint16_t magic = 0;
    std::uint32_t peOffset = 0;
    if (!m_file.Read(0, 0x40, dos) || !RX40CByteView(dos).U16(0, magic) || magic != DosMagic ||
        !RX40CByteView(dos).U32(0x3C, peOffset) || !m_file.Read(peOffset, 24, pe)) {
        return false;
    }
    const RX40CByteView view(pe);
    std::uint32_t signature = 0;
    std::uint16_t sectionCount = 0;
    std::uint16_t optionalSize = 0;
    const std::uint64_t optionalOffset = std::uint64_t{peOffset} + 24;
    return view.U32(0, signature) && signature == PeMagic && view.U16(6, sectionCount) &&
           view.U16(20, optionalSize) && readOptionalHeader(optionalOffset, optionalSize) &&
           readSections(optionalOffset + optionalSize, sectionCount);
}

bool RX40CPeVersionLocator::readOptionalHeader(std::uint64_t offset, std::uint16_t size) {
    std::vector<std::uint8_t> optional;
    std::uint16_t magic = 0;
    if (!m_file.Read(offset, size, optional) || !RX40CByteView(optional).U16(0, magic) ||
        (magic != Pe32Magic && magic != Pe32PlusMagic)) {
        return false;
    }
    const RX40CByteView view(optional);
    const std::uint64_t countOffset = magic == Pe32Magic ? 92 : 108;
    const std::uint64_t directoryOffset = countOffset + 4 + ResourceDirectoryIndex * 8;
    std::uint32_t count = 0;
    std::uint32_t rva = 0;
    if (!view.U32(countOffset, count) || count <= ResourceDirectoryIndex ||
        !view.U32(directoryOffset, rva) || rva == 0) {
        return false;
    }
    m_resourceRva = rva;
    return true;
}

bool RX40CPeVersionLocator::readSections(std::uint64_t offset, std::uint16_t count) {
    std::vector<std::uint8_t> table;
    if (!m_file.Read(offset, SectionHeaderSize * count, table)) {
        return false;
    }
    const RX40CByteView view(table);
    m_sections.resize(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        Section& section = m_sections[i];
        const std::uint64_t base = i * SectionHeaderSize;
        view.U32(base + 12, section.virtualAddress);
        view.U32(base + 16, section.rawSize);
        view.U32(base + 20, section.rawOffset);
    }
    return true;
}

bool RX40CPeVersionLocator::readRva(std::uint64_t rva, std::uint64_t size,
                                    std::vector<std::uint8_t>& out) const {
    for (const Section& section : m_sections) {
        if (rva >= section.virtualAddress && rva - section.virtualAddress <= section.rawSize &&
            size <= section.rawSize - (rva - section.virtualAddress)) {
            return m_file.Read(section.rawOffset + (rva - section.virtualAddress), size, out);
        }
    }
    return false;
}

// The directory's entries, named ones first, then those with numeric ids.
bool RX40CPeVersionLocator::entries(std::uint64_t directory, std::vector<std::uint8_t>& out) const {
    std::vector<std::uint8_t> header;
    std::uint16_t named = 0;
    std::uint16_t ids = 0;
    if (!readRva(directory, DirectoryHeaderSize, header) || !RX40CByteView(header).U16(12, named) ||
        !RX40CByteView(header).U16(14, ids)) {
        return false;
    }
    const std::uint64_t count = std::uint64_t{named} + ids;
    return readRva(directory + DirectoryHeaderSize, count * EntrySize, out);
}

bool RX40CPeVersionLocator::typeDirectory(std::uint64_t& directory) const {
    std::vector<std::uint8_t> list;
    if (!entries(m_resourceRva, list)) {
        return false;
    }
    const RX40CByteView view(list);
    for (std::uint64_t base = 0; base < list.size(); base += EntrySize) {
        std::uint32_t id = 0;
        std::uint32_t target = 0;
        if (view.U32(base, id) && view.U32(base + 4, target) && id == VersionType &&
            (target & HighBit) != 0) {
            directory = m_resourceRva + (target & ~HighBit);
            return true;
        }
    }
    return false;
}

// The directory's first entry, which must lead to a subdirectory or to a data entry as asked:
// the walk has a fixed depth, so a directory that points back to itself cannot loop.
bool RX40CPeVersionLocator::firstChild(std::uint64_t directory, bool wantDirectory,
                                       std::uint64_t& child) const {
    std::vector<std::uint8_t> list;
    std::uint32_t target = 0;
    if (!entries(directory, list) || !RX40CByteView(list).U32(4, target) ||
        ((target & HighBit) != 0) != wantDirectory) {
        return false;
    }
    child = m_resourceRva + (target & ~HighBit);
    return true;
}
