// The version record of a PE file: headers, sections, the resource directory, the record.
#include "FuzzVersionRecord.h"
#include "versionlib/RX40CPeVersionLocator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FindAndQueryRecord<RX40CPeVersionLocator>(data, size);
}
