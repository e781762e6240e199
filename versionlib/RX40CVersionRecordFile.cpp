#include "versionlib/RX40CVersionRecordFile.h"

#include "versionlib/RX40CElfVersionLocator.h"
#include "versionlib/RX40CFileReader.h"
#include "versionlib/RX40CPeVersionLocator.h"

std::vector<std::uint8_t> RX40CVersionRecordFile::Read(const std::string& path) {
    const RX40CFileReader file(path);
    std::vector<std::uint8_t> bytes;
    if (file.IsOpen() && !RX40CElfVersionLocator(file).Find(bytes) &&
        !RX40CPeVersionLocator(file).Find(bytes)) {
        bytes.clear();
    }
    return bytes;
}
