// The version record of a PE file: headers, sections, the resource directory, the record.
#include "FuzzInput.h"
#include "FuzzVersionRecord.h"
#include "versionlib/RX40CFileReader.h"
#include "versionlib/RX40CPeVersionLocator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RX40CFileReader file(FuzzInput::AsFile(data, size));
    std::vector<std::uint8_t> record;
    if (RX40CPeVersionLocator(file).Find(record)) {
        QueryRecord(std::move(record));
    }
    return 0;
}
