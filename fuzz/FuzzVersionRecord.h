#pragma once

#include "versionlib/RX40CVersionRecord.h"

#include <cstdint>
#include <string>
#include <vector>

// Asks a found record everything the version reader asks.
inline void QueryRecord(std::vector<std::uint8_t> bytes) {
    const RX40CVersionRecord record(std::move(bytes));
    std::uint32_t fixed[RX40CVersionRecord::FixedCount];
    record.CopyFixed(fixed);
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
    record.FirstTranslation(language, codePage);
    std::string text;
    record.Text("040904b0", "InternalName", text);
    record.Text("041104B0", "CompanyName", text);
}
