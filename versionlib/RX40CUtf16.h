#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Converts the UTF-16LE texts of version records to UTF-8; a lone surrogate becomes U+FFFD.
class RX40CUtf16 {
public:
    // Converts up to `units` code units at `data`, stopping early at a terminating zero.
    static std::string ToUtf8(const std::uint8_t* data, std::size_t units);

private:
    static void append(std::string& out, std::uint32_t codePoint);
};
