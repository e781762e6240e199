// The version record of an ELF file: header, section table, section names, the record.
#include "FuzzVersionRecord.h"
#include "versionlib/RX40CElfVersionLocator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FindAndQueryRecord<RX40CElfVersionLocator>(data, size);
}
