#include "versionlib/RX40CElfVersionLocator.h"

#include "versionlib/RX40CByteView.h"
#include "versionlib/RX40CFileReader.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint64_t HeaderSize = 64;
constexpr std::uint16_t MinEntrySize = 64;
constexpr std::uint32_t SectionNoBits = 8;
constexpr std::uint64_t MaxRecord = 0x10000;
constexpr unsigned char Ident[] = {0x7F, 'E', 'L', 'F', 2 /* 64-bit */, 1 /* little */, 1};
} // namespace

bool RX40CElfVersionLocator::Find(std::vector<std::uint8_t>& record) {
    if (!readHeader() || !readSectionTable()) {
        return false;
    }
    for (std::uint32_t i = 0; i < m_count; ++i) {
        Section candidate;
        if (section(i, candidate) && candidate.type != SectionNoBits && hasName(candidate)) {
            return m_file.Read(candidate.offset, std::min(candidate.size, MaxRecord), record);
        }
    }
    return false;
}

bool RX40CElfVersionLocator::readHeader() {
    std::vector<std::uint8_t> header;
    if (!m_file.Read(0, HeaderSize, header) ||
        std::memcmp(header.data(), Ident, sizeof Ident) != 0) {
        return false;
    }
    const RX40CByteView view(header);
    return view.U64(0x28, m_tableOffset) && view.U16(0x3A, m_entrySize) &&
           view.U16(0x3C, m_count) && view.U16(0x3E, m_namesIndex) && m_entrySize >= MinEntrySize &&
           m_namesIndex < m_count;
}

bool RX40CElfVersionLocator::readSectionTable() {
    const std::uint64_t tableSize = std::uint64_t{m_entrySize} * m_count;
    Section names;
    return m_file.Read(m_tableOffset, tableSize, m_table) && section(m_namesIndex, names) &&
           names.type != SectionNoBits && m_file.Read(names.offset, names.size, m_names);
}

bool RX40CElfVersionLocator::section(std::uint32_t index, Section& out) const {
    const RX40CByteView view(m_table);
    const std::uint64_t base = std::uint64_t{index} * m_entrySize;
    return view.U32(base, out.name) && view.U32(base + 4, out.type) &&
           view.U64(base + 0x18, out.offset) && view.U64(base + 0x20, out.size);
}

bool RX40CElfVersionLocator::hasName(const Section& candidate) const {
    const std::uint64_t length = SectionName.size();
    return candidate.name < m_names.size() && length < m_names.size() - candidate.name &&
           std::memcmp(m_names.data() + candidate.name, SectionName.data(), length) == 0 &&
           m_names[candidate.name + length] == 0;
}
