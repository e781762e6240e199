// The version record of an ELF file: header, section table, section names, the record.
#include "FuzzInput.h"
#include "FuzzVersionRecord.h"
#include "versionlib/RX40CElfVersionLocator.h"
#include "versionlib/RX40CFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RX40CFileReader file(FuzzInput::AsFile(data, size));
    std::vector<std::uint8_t> record;
    if (RX40CElfVersionLocator(file).Find(record)) {
        QueryRecord(std::move(record));
    }
    return 0;
}
