#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads byte ranges of one regular file. A range must lie inside the file and be at most
// MaxRead bytes, so a header that claims a huge table cannot make us allocate it.
class RX40CFileReader {
public:
    static constexpr std::uint64_t MaxRead = 16u << 20;

    explicit RX40CFileReader(const std::string& path);
    RX40CFileReader(const RX40CFileReader&) = delete;
    RX40CFileReader& operator=(const RX40CFileReader&) = delete;
    ~RX40CFileReader();

    bool IsOpen() const { return m_fd >= 0; }
    std::uint64_t Size() const { return m_size; }
    bool Read(std::uint64_t offset, std::uint64_t size, std::vector<std::uint8_t>& out) const;

private:
    int m_fd = -1;
    std::uint64_t m_size = 0;
};
