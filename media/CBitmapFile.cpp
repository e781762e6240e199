#include "media/CBitmapFile.h"

#include "platform/CDurableFile.h"

#include <limits>

std::uint32_t CBitmapFile::Le32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint16_t CBitmapFile::Le16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

void CBitmapFile::PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void CBitmapFile::PutLe16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::int64_t CBitmapFile::LengthOf(std::istream& file) {
    const std::istream::pos_type start = file.tellg();
    file.seekg(0, std::ios::end);
    const std::istream::pos_type end = file.tellg();
    file.seekg(start);
    if (!file || start < 0 || end < start) {
        return -1;
    }
    return static_cast<std::int64_t>(end - start);
}

bool CBitmapFile::ReadBytes(std::istream& file, std::uint8_t* target, std::size_t count) {
    file.read(reinterpret_cast<char*>(target), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(file.gcount()) == count;
}

bool CBitmapFile::Read(std::istream& file, CFrameBuffer& picture, std::vector<std::uint8_t>& info) {
    const std::int64_t length = LengthOf(file);
    std::uint8_t header[kFileHeaderSize];
    if (length < static_cast<std::int64_t>(kFileHeaderSize) ||
        !ReadBytes(file, header, kFileHeaderSize) || header[0] != 'B' || header[1] != 'M') {
        return false;
    }
    const std::int64_t pixelOffset = Le32(header + 10);
    if (pixelOffset < static_cast<std::int64_t>(kFileHeaderSize + kInfoHeaderSize) ||
        pixelOffset > length) {
        return false;
    }
    info.resize(static_cast<std::size_t>(pixelOffset) - kFileHeaderSize);
    return ReadInfo(file, info) && ReadPixels(file, length - pixelOffset, info, picture);
}

bool CBitmapFile::ReadInfo(std::istream& file, std::vector<std::uint8_t>& info) {
    if (!ReadBytes(file, info.data(), info.size())) {
        return false;
    }
    const std::int64_t headerSize = Le32(info.data());
    const std::uint16_t bitCount = Le16(info.data() + 14);
    const std::uint32_t compression = Le32(info.data() + 16);
    return headerSize >= static_cast<std::int64_t>(kInfoHeaderSize) &&
           headerSize <= static_cast<std::int64_t>(info.size()) && bitCount == 24 &&
           compression == 0;
}

bool CBitmapFile::ReadPixels(std::istream& file, std::int64_t available,
                             const std::vector<std::uint8_t>& info, CFrameBuffer& picture) {
    const std::int64_t width = static_cast<std::int32_t>(Le32(info.data() + 4));
    const std::int64_t height = static_cast<std::int32_t>(Le32(info.data() + 8));
    const std::int64_t rows = height < 0 ? -height : height;
    if (width <= 0 || rows <= 0 || rows > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    const std::int64_t stride = (width * 3 + 3) & ~std::int64_t{3};
    if (stride > available / rows) {
        return false;
    }
    picture.Reset(static_cast<int>(width), static_cast<int>(rows), height < 0);
    return ReadBytes(file, picture.Data(), picture.ByteSize());
}

bool CBitmapFile::Write(const std::string& path, const CFrameBuffer& picture) {
    const auto imageSize = static_cast<std::uint32_t>(picture.ByteSize());
    const auto height = static_cast<std::int32_t>(picture.Height());
    std::vector<std::uint8_t> header{'B', 'M'};
    PutLe32(header, imageSize + kFileHeaderSize + kInfoHeaderSize);
    PutLe32(header, 0);
    PutLe32(header, kFileHeaderSize + kInfoHeaderSize);
    PutLe32(header, kInfoHeaderSize);
    PutLe32(header, static_cast<std::uint32_t>(picture.Width()));
    PutLe32(header, static_cast<std::uint32_t>(picture.TopDown() ? -height : height));
    PutLe16(header, 1);
    PutLe16(header, 24);
    PutLe32(header, 0);
    PutLe32(header, imageSize);
    header.resize(kFileHeaderSize + kInfoHeaderSize, 0);

    std::string bytes(header.begin(), header.end());
    bytes.append(reinterpret_cast<const char*>(picture.Data()), picture.ByteSize());
    return CDurableFile::Replace(path, bytes);
}
