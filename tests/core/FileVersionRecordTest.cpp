#include "tests/core/FileVersionTestDir.h"

#include "resources/version/CVersionDescription.h"
#include "resources/version/CVersionRecordBuilder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace {
std::uint32_t le(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes.at(at + static_cast<std::size_t>(i));
    }
    return value;
}

std::string key(const std::vector<std::uint8_t>& bytes, std::size_t node) {
    std::string text;
    for (std::size_t at = node + 6; le(bytes, at, 2) != 0; at += 2) {
        text += static_cast<char>(le(bytes, at, 2));
    }
    return text;
}

CVersionDescription parse(const std::string& text) {
    std::istringstream in(text);
    return CVersionDescription::Parse(in);
}

const std::string Required = "FixedFileVersion=2.1.1.2104\n"
                             "FixedProductVersion=0x2.1.0.0\n"
                             "Translation=0x0409, 1200\n";
} // namespace

// The standard layout: fixed part at offset 40, children on 32-bit boundaries, lengths that
// cover the children.
TEST(FileVersionRecord, BuilderWritesTheStandardLayout) {
    CVersionRecordBuilder builder;
    builder.SetFixedFileVersion({2, 1, 1, 2104});
    builder.SetFixedProductVersion({1, 2, 3, 4});
    builder.AddStringTable("040904b0", {{"InternalName", "Quorvel"}});
    builder.AddTranslation(0x0409, 1200);
    const std::vector<std::uint8_t> record = builder.Build();

    EXPECT_EQ(le(record, 0, 2), record.size());
    EXPECT_EQ(le(record, 2, 2), 52u);
    EXPECT_EQ(le(record, 4, 2), 0u);
    EXPECT_EQ(key(record, 0), "VS_VERSION_INFO");
    EXPECT_EQ(le(record, 40, 4), 0xFEEF04BDu);
    EXPECT_EQ(le(record, 48, 4), 0x00020001u);
    EXPECT_EQ(le(record, 52, 4), 0x00010838u);
    EXPECT_EQ(le(record, 56, 4), 0x00010002u);
    EXPECT_EQ(le(record, 60, 4), 0x00030004u);

    const std::size_t strings = 92;
    EXPECT_EQ(key(record, strings), "StringFileInfo");
    const std::size_t table = strings + 36; // 6 + 30 bytes of key, already aligned
    EXPECT_EQ(key(record, table), "040904b0");
    const std::size_t entry = table + 24;
    EXPECT_EQ(key(record, entry), "InternalName");
    EXPECT_EQ(le(record, entry + 2, 2), 8u); // "Quorvel" and its zero, in 16-bit units
    EXPECT_EQ(le(record, table, 2), entry + le(record, entry, 2) - table);

    const std::size_t var = (strings + le(record, strings, 2) + 3) & ~std::size_t{3};
    EXPECT_EQ(key(record, var), "VarFileInfo");
    const std::size_t translation = var + 32;
    EXPECT_EQ(key(record, translation), "Translation");
    EXPECT_EQ(le(record, translation + 2, 2), 4u);
    EXPECT_EQ(le(record, translation + 32, 4), 0x04B00409u);
    EXPECT_EQ(translation + 36, record.size());
}

TEST(FileVersionRecord, BuilderRejectsInvalidUtf8AndOversizedRecords) {
    for (const char* bad : {"\xC0\xAF", "\x80", "\xED\xA0\x80", "\xE3\x81", "\xF5\x80\x80\x80"}) {
        CVersionRecordBuilder builder;
        EXPECT_THROW(builder.AddStringTable("040904b0", {{"Comments", bad}}),
                     std::invalid_argument)
            << bad;
    }
    CVersionRecordBuilder huge;
    huge.AddStringTable("040904b0", {{"Comments", std::string(40000, 'x')}});
    EXPECT_THROW(huge.Build(), std::length_error);
}

TEST(FileVersionRecord, DescriptionBuildsTheRecordItDescribes) {
    const CVersionDescription description =
        parse("# comment\n\n" + Required + "  CompanyName = Velmarro \r\nPrivateBuild=\n");
    EXPECT_EQ(description.TableKey(), "040904b0");

    CVersionRecordBuilder expected;
    expected.SetFixedFileVersion({2, 1, 1, 2104});
    expected.SetFixedProductVersion({2, 1, 0, 0});
    expected.AddStringTable("040904b0", {{"CompanyName", "Velmarro"}, {"PrivateBuild", ""}});
    expected.AddTranslation(0x0409, 1200);
    EXPECT_EQ(description.BuildRecord(), expected.Build());
}

TEST(FileVersionRecord, DescriptionErrorsNameTheLine) {
    const std::pair<std::string, std::string> cases[] = {
        {Required + "CompanyName", "line 4"},
        {Required + "CompanyName=a\nCompanyName=b\n", "line 5"},
        {Required + "Translation=0x0411,1200\n", "line 4"},
        {"FixedFileVersion=2.1.1\n", "line 1"},
        {"FixedFileVersion=2.1.1.2.0\n", "line 1"},
        {"FixedFileVersion=2.1.1.70000\n", "line 1"},
        {"FixedFileVersion=2.1.1.-4\n", "line 1"},
        {"FixedFileVersion=2.1.x.4\n", "line 1"},
        {"Translation=0x0409\n", "line 1"},
        {"=Velmarro\n", "line 1"},
        {"FixedFileVersion=2.1.1.2104\nTranslation=0x0409,1200\n", "required"},
    };
    for (const auto& [text, message] : cases) {
        try {
            parse(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
    }
}
