#pragma once

#include "FuzzInput.h"
#include "versionlib/RX40CFileReader.h"
#include "versionlib/RX40CVersionRecord.h"

#include <cstdint>
#include <string>
#include <vector>

// Finds the record in the fuzzer's bytes with Locator, then asks it everything the version
// reader asks.
template <typename Locator> int FindAndQueryRecord(const std::uint8_t* data, std::size_t size) {
    const RX40CFileReader file(FuzzInput::AsFile(data, size));
    std::vector<std::uint8_t> bytes;
    if (!Locator(file).Find(bytes)) {
        return 0;
    }
    const RX40CVersionRecord record(std::move(bytes));
    std::uint32_t fixed[RX40CVersionRecord::FixedCount];
    record.CopyFixed(fixed);
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
    record.FirstTranslation(language, codePage);
    std::string text;
    record.Text("040904b0", "InternalName", text);
    record.Text("041104B0", "CompanyName", text);
    return 0;
}
