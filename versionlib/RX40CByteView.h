#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Bounds-checked little-endian reads over bytes that a file supplied: every read reports
// whether it fit, so a lying offset or length can never reach past the end.
class RX40CByteView {
public:
    explicit RX40CByteView(const std::vector<std::uint8_t>& bytes)
        : m_data(bytes.data()), m_size(bytes.size()) {}

    std::size_t Size() const { return m_size; }
    const std::uint8_t* Data() const { return m_data; }

    bool Fits(std::uint64_t offset, std::uint64_t size) const;
    bool U16(std::uint64_t offset, std::uint16_t& value) const;
    bool U32(std::uint64_t offset, std::uint32_t& value) const;
    bool U64(std::uint64_t offset, std::uint64_t& value) const;

private:
    std::uint64_t little(std::uint64_t offset, int bytes) const;

    const std::uint8_t* m_data;
    std::size_t m_size;
};
