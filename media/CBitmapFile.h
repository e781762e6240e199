#pragma once

#include "platform/CFrameBuffer.h"

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

// An uncompressed 24-bit bitmap file. Reading trusts no header field: every size is checked
// against the length of the file before anything is allocated.
class CBitmapFile {
public:
    // Fills picture with the pixels (rows padded to 4 bytes, in the file's row order) and info
    // with the block between the 14-byte file header and the pixels. False on any fault.
    static bool Read(std::istream& file, CFrameBuffer& picture, std::vector<std::uint8_t>& info);
    // Writes the 54-byte header and the rows as they lie in memory; the height is negative for
    // a top-down picture, whole or not at all. False when the file cannot be written.
    static bool Write(const std::string& path, const CFrameBuffer& picture);

private:
    static constexpr std::size_t kFileHeaderSize = 14;
    static constexpr std::size_t kInfoHeaderSize = 40;

    static std::uint32_t Le32(const std::uint8_t* bytes);
    static std::uint16_t Le16(const std::uint8_t* bytes);
    static void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value);
    static void PutLe16(std::vector<std::uint8_t>& out, std::uint16_t value);
    static std::int64_t LengthOf(std::istream& file);
    static bool ReadBytes(std::istream& file, std::uint8_t* target, std::size_t count);
    static bool ReadInfo(std::istream& file, std::vector<std::uint8_t>& info);
    static bool ReadPixels(std::istream& file, std::int64_t available,
                           const std::vector<std::uint8_t>& info, CFrameBuffer& picture);
};
