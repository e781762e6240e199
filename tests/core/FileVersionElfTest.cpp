#include "tests/core/FileVersionTestDir.h"

#include "resources/version/CVersionRecordBuilder.h"
#include "versionlib/RX40CFileVersion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string_view>

namespace {
// Layout of the ELF64 file the tests write: header, section names, the record, then the
// section header table (null, names, record) as the last thing in the file.
constexpr std::size_t Names = 64;
constexpr std::string_view NameTable("\0.shstrtab\0.qv_version\0", 23);
constexpr std::size_t RecordName = 11;
constexpr std::size_t RecordData = 88;
constexpr std::size_t EntrySize = 64;

struct ElfImage {
    std::vector<std::uint8_t> bytes;
    std::size_t table = 0;

    std::size_t Field(std::size_t section, std::size_t offset) const {
        return table + section * EntrySize + offset;
    }
};

void putSection(ElfImage& image, std::size_t index, std::uint32_t name, std::uint32_t type,
                std::uint64_t offset, std::uint64_t size) {
    PutLe(image.bytes, image.Field(index, 0), name, 4);
    PutLe(image.bytes, image.Field(index, 4), type, 4);
    PutLe(image.bytes, image.Field(index, 0x18), offset, 8);
    PutLe(image.bytes, image.Field(index, 0x20), size, 8);
}

ElfImage elfImage(const std::vector<std::uint8_t>& record) {
    ElfImage image;
    image.table = (RecordData + record.size() + 7) & ~std::size_t{7};
    image.bytes.assign(image.table + 3 * EntrySize, 0);
    std::memcpy(image.bytes.data(),
                "\x7F"
                "ELF\x02\x01\x01",
                7);
    PutLe(image.bytes, 0x10, 2, 2);  // executable
    PutLe(image.bytes, 0x12, 62, 2); // x86-64
    PutLe(image.bytes, 0x14, 1, 4);
    PutLe(image.bytes, 0x28, image.table, 8);
    PutLe(image.bytes, 0x34, 64, 2);
    PutLe(image.bytes, 0x3A, EntrySize, 2);
    PutLe(image.bytes, 0x3C, 3, 2);
    PutLe(image.bytes, 0x3E, 1, 2);
    std::memcpy(image.bytes.data() + Names, NameTable.data(), NameTable.size());
    std::copy(record.begin(), record.end(), image.bytes.begin() + RecordData);
    putSection(image, 1, 1, 3 /* string table */, Names, NameTable.size());
    putSection(image, 2, RecordName, 1 /* program bits */, RecordData, record.size());
    return image;
}

std::vector<std::uint8_t> sampleRecord() {
    CVersionRecordBuilder builder;
    builder.SetFixedFileVersion({3, 0, 12, 7});
    builder.AddStringTable("040904b0", {{"InternalName", "Sample"}});
    builder.AddTranslation(0x0409, 1200);
    return builder.Build();
}

class FileVersionElf : public ::testing::Test {
protected:
    RX40CFileVersion read(const std::vector<std::uint8_t>& bytes) {
        return RX40CFileVersion(m_dir.Write("sample", bytes));
    }

    FileVersionTestDir m_dir;
};
} // namespace

TEST_F(FileVersionElf, RecordIsFoundBySectionName) {
    const ElfImage image = elfImage(sampleRecord());
    const RX40CFileVersion version = read(image.bytes);
    EXPECT_EQ(version.GetInternalName(), "Sample");
    EXPECT_EQ(version.ToStrFixedFileVersion(), "3, 0, 12, 7");

    ElfImage renamed = image;
    renamed.bytes[Names + RecordName + 4] = 'X'; // ".qv_Xersion"
    ExpectNoRecord(read(renamed.bytes));
}

TEST_F(FileVersionElf, TruncatedFilesGiveTheEmptyResult) {
    const ElfImage image = elfImage(sampleRecord());
    for (std::size_t length = 0; length < image.bytes.size(); ++length) {
        SCOPED_TRACE(length);
        ExpectNoRecord(
            read({image.bytes.begin(), image.bytes.begin() + static_cast<long>(length)}));
    }
}

TEST_F(FileVersionElf, MalformedHeadersGiveTheEmptyResult) {
    const ElfImage good = elfImage(sampleRecord());
    using Corruption = std::function<void(ElfImage&)>;
    const std::pair<const char*, Corruption> cases[] = {
        {"32-bit class", [](ElfImage& e) { e.bytes[4] = 1; }},
        {"big-endian", [](ElfImage& e) { e.bytes[5] = 2; }},
        {"table beyond the file", [](ElfImage& e) { PutLe(e.bytes, 0x28, ~0ull - 8, 8); }},
        {"huge table",
         [](ElfImage& e) {
             PutLe(e.bytes, 0x3A, 0xFFFF, 2);
             PutLe(e.bytes, 0x3C, 0xFFFF, 2);
         }},
        {"entries too small", [](ElfImage& e) { PutLe(e.bytes, 0x3A, 40, 2); }},
        {"name table index out of range", [](ElfImage& e) { PutLe(e.bytes, 0x3E, 3, 2); }},
        {"no sections", [](ElfImage& e) { PutLe(e.bytes, 0x3C, 0, 2); }},
        {"names beyond the file", [](ElfImage& e) { PutLe(e.bytes, e.Field(1, 0x18), ~0ull, 8); }},
        {"name offset beyond the names",
         [](ElfImage& e) { PutLe(e.bytes, e.Field(2, 0), 0xFFFFFFFF, 4); }},
        {"name not terminated inside the names",
         [](ElfImage& e) { PutLe(e.bytes, e.Field(1, 0x20), NameTable.size() - 1, 8); }},
        {"record section without bits", [](ElfImage& e) { PutLe(e.bytes, e.Field(2, 4), 8, 4); }},
        {"record beyond the file", [](ElfImage& e) { PutLe(e.bytes, e.Field(2, 0x18), ~0ull, 8); }},
        {"record section shorter than the record",
         [](ElfImage& e) { PutLe(e.bytes, e.Field(2, 0x20), 40, 8); }},
    };
    for (const auto& [name, corrupt] : cases) {
        SCOPED_TRACE(name);
        ElfImage image = good;
        corrupt(image);
        ExpectNoRecord(read(image.bytes));
    }
}
