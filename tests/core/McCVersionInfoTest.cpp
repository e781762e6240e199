#include "tests/core/FileVersionTestDir.h"

#include "app/McCVersionInfo.h"
#include "resources/version/CVersionRecordBuilder.h"
#include "tests/support/TestPeImage.h"

#include <gtest/gtest.h>

namespace {

class McCVersionInfoTest : public ::testing::Test {
protected:
    // The "FileVersion" the About box finds in a program carrying `builder`'s record.
    std::pair<bool, std::string> query(const CVersionRecordBuilder& builder) {
        const McCVersionInfo info(m_dir.Write("program.exe", TestPeImage::WithRecord(builder.Build())));
        std::string text = "untouched";
        const bool found = info.QueryFileVersion(text);
        return {found, text};
    }

    FileVersionTestDir m_dir;
};

CVersionRecordBuilder::Entries fileVersion(const std::string& text) {
    return {{"CompanyName", "Velmarro"}, {"FileVersion", text}};
}

} // namespace

TEST_F(McCVersionInfoTest, TranslationNamesTheTable) {
    CVersionRecordBuilder builder;
    builder.AddStringTable("040904b0", fileVersion("1.0 en"));
    builder.AddStringTable("041104b0", fileVersion("1.0 jp"));
    builder.AddTranslation(0x0411, 1200);
    EXPECT_EQ(query(builder), std::make_pair(true, std::string("1.0 jp")));
}

TEST_F(McCVersionInfoTest, FallbackFindsStringsTheTranslationDoesNotName) {
    CVersionRecordBuilder builder;
    builder.AddStringTable("040904e4", fileVersion("2.1.1.2104"));
    builder.AddTranslation(0x0411, 932);
    EXPECT_EQ(query(builder), std::make_pair(true, std::string("2.1.1.2104")));
}

TEST_F(McCVersionInfoTest, FallbackTriesCodePagesFirstThenLanguagesInOrder) {
    // Code page 0 comes before 1252 whatever the languages.
    CVersionRecordBuilder codePages;
    codePages.AddStringTable("040904e4", fileVersion("1252"));
    codePages.AddStringTable("04210000", fileVersion("0"));
    codePages.AddTranslation(0x0409, 1200);
    EXPECT_EQ(query(codePages), std::make_pair(true, std::string("0")));

    // Within a code page, 0x0401 to 0x0421 before the sublanguages 0x0804 and on.
    CVersionRecordBuilder languages;
    languages.AddStringTable("080403b6", fileVersion("0804"));
    languages.AddStringTable("042103b6", fileVersion("0421"));
    languages.AddTranslation(0x0409, 1200);
    EXPECT_EQ(query(languages), std::make_pair(true, std::string("0421")));

    CVersionRecordBuilder last;
    last.AddStringTable("100c04e7", fileVersion("last pair"));
    last.AddTranslation(0x0409, 1200);
    EXPECT_EQ(query(last), std::make_pair(true, std::string("last pair")));
}

TEST_F(McCVersionInfoTest, NothingFoundGivesAnEmptyText) {
    CVersionRecordBuilder noTranslation;
    noTranslation.AddStringTable("040904b0", fileVersion("3.0"));
    EXPECT_EQ(query(noTranslation), std::make_pair(false, std::string()));

    // A pair outside the search (language 0x0422) is never found.
    CVersionRecordBuilder outside;
    outside.AddStringTable("042204b0", fileVersion("3.0"));
    outside.AddTranslation(0x0409, 1200);
    EXPECT_EQ(query(outside), std::make_pair(false, std::string()));

    CVersionRecordBuilder noEntry;
    noEntry.AddStringTable("040904b0", {{"CompanyName", "Velmarro"}});
    noEntry.AddTranslation(0x0409, 1200);
    EXPECT_EQ(query(noEntry), std::make_pair(false, std::string()));

    const McCVersionInfo noRecord(m_dir.Write("plain.txt", {'t', 'e', 'x', 't'}));
    std::string text = "untouched";
    EXPECT_FALSE(noRecord.QueryFileVersion(text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(McCVersionInfo((m_dir.Path() / "missing").string()).QueryFileVersion(text));
}
