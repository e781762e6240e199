#include "tests/core/FileVersionTestDir.h"

#include "resources/version/CVersionRecordBuilder.h"
#include "tests/support/TestPeImage.h"
#include "versionlib/RX40CFileVersion.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
using namespace TestPeImage;

const char* const EntryNames[] = {
    "CompanyName",    "FileDescription",  "FileVersion",  "InternalName",
    "LegalCopyright", "OriginalFileName", "ProductName",  "ProductVersion",
    "Comments",       "LegalTrademarks",  "PrivateBuild", "SpecialBuild",
};

std::string (RX40CFileVersion::*const Getters[])() const = {
    &RX40CFileVersion::GetCompanyName,    &RX40CFileVersion::GetFileDescription,
    &RX40CFileVersion::GetFileVersion,    &RX40CFileVersion::GetInternalName,
    &RX40CFileVersion::GetLegalCopyright, &RX40CFileVersion::GetOriginalFileName,
    &RX40CFileVersion::GetProductName,    &RX40CFileVersion::GetProductVersion,
    &RX40CFileVersion::GetComments,       &RX40CFileVersion::GetLegalTrademarks,
    &RX40CFileVersion::GetPrivateBuild,   &RX40CFileVersion::GetSpecialBuild,
};

CVersionRecordBuilder::Entries entriesTagged(const std::string& tag) {
    CVersionRecordBuilder::Entries entries;
    for (const char* name : EntryNames) {
        entries.emplace_back(name, tag + " " + name);
    }
    return entries;
}

// Product version 1.2.3.4, file version 5.6.7.8, an English and a Japanese string table.
CVersionRecordBuilder twoLanguageRecord() {
    CVersionRecordBuilder builder;
    builder.SetFixedFileVersion({5, 6, 7, 8});
    builder.SetFixedProductVersion({1, 2, 3, 4});
    builder.AddStringTable("040904b0", entriesTagged("en"));
    builder.AddStringTable("041104B0", entriesTagged("日本語"));
    return builder;
}

class FileVersionPe : public ::testing::Test {
protected:
    RX40CFileVersion read(const std::vector<std::uint8_t>& image) {
        return RX40CFileVersion(m_dir.Write("image.exe", image));
    }

    static void expectTexts(const RX40CFileVersion& version, const std::string& tag) {
        for (std::size_t i = 0; i < std::size(EntryNames); ++i) {
            EXPECT_EQ((version.*Getters[i])(), tag + " " + EntryNames[i]) << EntryNames[i];
        }
    }

    FileVersionTestDir m_dir;
};
} // namespace

TEST_F(FileVersionPe, FirstTranslationChoosesTheStringTable) {
    CVersionRecordBuilder english = twoLanguageRecord();
    english.AddTranslation(0x0409, 1200);
    english.AddTranslation(0x0411, 1200);
    const RX40CFileVersion first = read(WithRecord(english.Build()));
    EXPECT_EQ(first.ToStrFixedProductVersion(), "1, 2, 3, 4");
    EXPECT_EQ(first.ToStrFixedFileVersion(), "5, 6, 7, 8");
    expectTexts(first, "en");

    // Table keys match without regard to case, as "041104B0" is written above.
    CVersionRecordBuilder japanese = twoLanguageRecord();
    japanese.AddTranslation(0x0411, 1200);
    japanese.AddTranslation(0x0409, 1200);
    expectTexts(read(WithRecord(japanese.Build())), "日本語");
}

TEST_F(FileVersionPe, TextsKeepCharactersBeyondAscii) {
    CVersionRecordBuilder builder;
    builder.AddStringTable("040904b0", {{"CompanyName", "Velmarro © 2025 🎬"}, {"Comments", ""}});
    builder.AddTranslation(0x0409, 1200);
    const RX40CFileVersion version = read(WithRecord(builder.Build()));
    EXPECT_EQ(version.GetCompanyName(), "Velmarro © 2025 🎬");
    EXPECT_EQ(version.GetComments(), "");
    EXPECT_EQ(version.GetInternalName(), "");
}

TEST_F(FileVersionPe, RecordWithoutTranslationKeepsOnlyTheFixedPart) {
    CVersionRecordBuilder builder = twoLanguageRecord();
    const RX40CFileVersion version = read(WithRecord(builder.Build()));
    EXPECT_EQ(version.ToStrFixedProductVersion(), "1, 2, 3, 4");
    EXPECT_EQ(version.GetCompanyName(), "");
    EXPECT_EQ(version.GetInternalName(), "");
}

TEST_F(FileVersionPe, TruncatedImagesGiveTheEmptyResult) {
    CVersionRecordBuilder builder = twoLanguageRecord();
    builder.AddTranslation(0x0409, 1200);
    const std::vector<std::uint8_t> image = WithRecord(builder.Build());
    for (std::size_t length = 0; length < image.size(); ++length) {
        SCOPED_TRACE(length);
        ExpectNoRecord(read({image.begin(), image.begin() + static_cast<long>(length)}));
    }
    EXPECT_EQ(read(image).ToStrFixedFileVersion(), "5, 6, 7, 8");
}

TEST_F(FileVersionPe, LyingHeadersAndDirectoryCyclesGiveTheEmptyResult) {
    CVersionRecordBuilder builder = twoLanguageRecord();
    builder.AddTranslation(0x0409, 1200);
    const std::vector<std::uint8_t> good = WithRecord(builder.Build());
    const std::size_t recordSize = good.size() - Raw - Record;
    const std::pair<const char*, std::function<void(std::vector<std::uint8_t>&)>> cases[] = {
        {"PE header beyond the file", [](auto& b) { PutLe(b, 0x3C, 0xFFFFFFF0u, 4); }},
        {"wrong PE signature", [](auto& b) { PutLe(b, PeHeader, 0x00004551, 4); }},
        {"unknown optional header", [](auto& b) { PutLe(b, Optional, 0x10C, 2); }},
        {"no resource directory slot", [](auto& b) { PutLe(b, Optional + 108, 2, 4); }},
        {"section count beyond the file", [](auto& b) { PutLe(b, PeHeader + 6, 0xFFFF, 2); }},
        {"raw data beyond the file", [](auto& b) { PutLe(b, SectionTable + 20, 0xFFFFFF00u, 4); }},
        {"root claims 65535 entries", [](auto& b) { PutLe(b, Raw + RootDir + 12, 0xFFFF, 2); }},
        {"root entries point back to the root",
         [](auto& b) {
             PutLe(b, Raw + RootDir + 20, Subdirectory | RootDir, 4);
             PutLe(b, Raw + RootDir + 28, Subdirectory | RootDir, 4);
         }},
        {"name directory points to itself",
         [](auto& b) { PutLe(b, Raw + TypeDir + 20, Subdirectory | TypeDir, 4); }},
        {"language entry is a directory",
         [](auto& b) { PutLe(b, Raw + NameDir + 20, Subdirectory | RootDir, 4); }},
        {"data beyond the section", [](auto& b) { PutLe(b, Raw + DataEntry + 4, 0x7FFFFFFF, 4); }},
        {"data outside every section", [](auto& b) { PutLe(b, Raw + DataEntry, 0x50, 4); }},
        {"record longer than its data",
         [=](auto& b) { PutLe(b, Raw + Record, recordSize + 4, 2); }},
        {"record too short for its key", [](auto& b) { PutLe(b, Raw + Record, 20, 2); }},
        {"record of zero length", [](auto& b) { PutLe(b, Raw + Record, 0, 2); }},
        {"fixed part beyond the record", [](auto& b) { PutLe(b, Raw + Record + 2, 0xFFF0, 2); }},
        {"other root key", [](auto& b) { PutLe(b, Raw + Record + 6, 'W', 2); }},
        // The first child starts right after the 52-byte fixed part at offset 40.
        {"zero-length child", [](auto& b) { PutLe(b, Raw + Record + 92, 0, 2); }},
        {"child longer than its parent", [](auto& b) { PutLe(b, Raw + Record + 92, 0xFFFF, 2); }},
    };
    for (const auto& [name, corrupt] : cases) {
        SCOPED_TRACE(name);
        std::vector<std::uint8_t> image = good;
        corrupt(image);
        ExpectNoRecord(read(image));
    }
}

// Thousands of nested nodes, each inside the last: far deeper than any real record.
TEST_F(FileVersionPe, DeeplyNestedRecordGivesTheEmptyResult) {
    CVersionRecordBuilder builder;
    builder.SetFixedFileVersion({1, 0, 0, 0});
    std::vector<std::uint8_t> record = builder.Build();
    const std::size_t fixedEnd = record.size();
    const std::size_t depth = 5000;
    record.resize(fixedEnd + 8 * depth, 0);
    for (std::size_t i = 0; i < depth; ++i) {
        PutLe(record, fixedEnd + 8 * i, 8 * (depth - i), 2);
    }
    PutLe(record, 0, record.size(), 2);
    ExpectNoRecord(read(WithRecord(record)));
}
