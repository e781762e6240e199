#pragma once

#include <string>
#include <string_view>

// The codec-settings record the program leaves in the data folder as "Mosaic.cdc": 2980 bytes
// starting with the FourCC "wmv3". Nothing in the program reads it back.
class CCodecSettingsBlob {
public:
    static constexpr std::size_t Size = 2980;

    static std::string_view Bytes();
    // Writes the record to path unless a file is already there; failures are silent.
    // Returns true when it wrote the file.
    static bool WriteIfMissing(const std::string& path);
};
