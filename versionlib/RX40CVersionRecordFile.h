#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The version record a file carries: the section of our own ELF files, else a PE file's
// version resource. Empty when the file has neither (or can't be read).
class RX40CVersionRecordFile {
public:
    static std::vector<std::uint8_t> Read(const std::string& path);
};
