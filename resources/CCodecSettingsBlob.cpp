#include "resources/CCodecSettingsBlob.h"

#include "platform/CDurableFile.h"

#include <array>
#include <cstdint>
#include <filesystem>

namespace {

constexpr void PutLittleEndian(std::array<char, CCodecSettingsBlob::Size>& bytes, std::size_t at,
                               std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// FourCC, record size, record version, then the codec state, all zero: no tuned settings.
constexpr std::array<char, CCodecSettingsBlob::Size> MakeRecord() {
    std::array<char, CCodecSettingsBlob::Size> bytes{};
    bytes[0] = 'w';
    bytes[1] = 'm';
    bytes[2] = 'v';
    bytes[3] = '3';
    PutLittleEndian(bytes, 4, CCodecSettingsBlob::Size);
    PutLittleEndian(bytes, 8, 1);
    return bytes;
}

constexpr std::array<char, CCodecSettingsBlob::Size> Record = MakeRecord();

} // namespace

std::string_view CCodecSettingsBlob::Bytes() {
    return {Record.data(), Record.size()};
}

bool CCodecSettingsBlob::WriteIfMissing(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) || ec) {
        return false;
    }
    return CDurableFile::Replace(path, Bytes());
}
