#include "app/CUILanguage.h"
#include "app/RX40sCLocale.h"
#include "platform/CUserLocale.h"
#include "resources/CStringTable.h"
#include "tests/core/SettingsTestFolder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <langinfo.h>

namespace {

class LanguageSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_MESSAGES");
        ::setenv("LANG", "de_DE.UTF-8", 1);
        CStringTable::SetLanguage(0);
    }
    void TearDown() override {
        CStringTable::SetLanguage(0);
        std::setlocale(LC_ALL, "C");
    }
    SettingsTestFolder program;
};

TEST_F(LanguageSelectionTest, WithoutFileTheUserDefaultHoldsAndTextsAreEnglish) {
    EXPECT_EQ(CUILanguage::SelectUILanguage(program.Path()), 1031);
    EXPECT_EQ(CStringTable::Language(), 1031);
    EXPECT_EQ(CStringTable::Load(2006), "Slider");
    EXPECT_EQ(CUILanguage::LocaleName(1031), "en-US");
    EXPECT_EQ(CUILanguage::PosixLocaleName(1031), "en_US.UTF-8");
}

TEST_F(LanguageSelectionTest, FirstLineOfLanguageFileChooses) {
    program.Write("Language.md", "JAPANESE\r\nEnglish\n");
    EXPECT_EQ(CUILanguage::SelectUILanguage(program.Path()), 1041);
    EXPECT_EQ(CStringTable::Language(), 1041);
    EXPECT_EQ(CStringTable::Load(2006), "スライダー");
    EXPECT_EQ(CUILanguage::PosixLocaleName(1041), "ja_JP.UTF-8");

    program.Write("Language.md", "\nEnglish\n");
    EXPECT_EQ(CUILanguage::SelectUILanguage(program.Path()), 1031);

    program.Write("Language.md", "french\n");
    CStringTable::SetLanguage(1041);
    EXPECT_EQ(CUILanguage::SelectUILanguage(program.Path()), 1031);
    EXPECT_EQ(CStringTable::Language(), 1031); // the default is set, not just returned
}

TEST_F(LanguageSelectionTest, WordsAndLocaleNames) {
    EXPECT_EQ(CUILanguage::LanguageIdFromWord("japanese"), 1041);
    EXPECT_EQ(CUILanguage::LanguageIdFromWord("ENGLISH"), 1033);
    EXPECT_EQ(CUILanguage::LanguageIdFromWord("Chinese"), 2052);
    EXPECT_EQ(CUILanguage::LanguageIdFromWord("Taiwanese"), 1028);
    EXPECT_EQ(CUILanguage::LanguageIdFromWord("Korean"), 1042);
    EXPECT_EQ(CUILanguage::LanguageIdFromWord("Japanese "), 0);
    EXPECT_EQ(CUILanguage::LanguageIdFromWord(""), 0);
    EXPECT_EQ(CUILanguage::LocaleName(1028), "zh-TW");
    EXPECT_EQ(CUILanguage::LocaleName(2052), "zh-CN");
    EXPECT_EQ(CUILanguage::LocaleName(1042), "ko-KR");
}

TEST_F(LanguageSelectionTest, EnvironmentOrderAndMapping) {
    ::setenv("LC_MESSAGES", "ko_KR.UTF-8", 1);
    EXPECT_EQ(CUserLocale::UserDefaultLanguageId(), 1042);
    ::setenv("LC_ALL", "ja_JP.UTF-8", 1);
    EXPECT_EQ(CUserLocale::UserDefaultLanguageId(), 1041);
    ::setenv("LC_ALL", "", 1);
    EXPECT_EQ(CUserLocale::UserDefaultLanguageId(), 1042);
    ::unsetenv("LC_MESSAGES");
    ::unsetenv("LANG");
    EXPECT_EQ(CUserLocale::UserDefaultLanguageId(), 1033);

    EXPECT_EQ(CUserLocale::LanguageIdFromLocaleName("zh_TW.UTF-8"), 1028);
    EXPECT_EQ(CUserLocale::LanguageIdFromLocaleName("zh_CN.UTF-8"), 2052);
    EXPECT_EQ(CUserLocale::LanguageIdFromLocaleName("en_GB"), 1033);
    EXPECT_EQ(CUserLocale::LanguageIdFromLocaleName("de"), 1031);
    EXPECT_EQ(CUserLocale::LanguageIdFromLocaleName("fr_FR@euro"), 1036);
    EXPECT_EQ(CUserLocale::LanguageIdFromLocaleName("jaxx"), 1033);
    EXPECT_EQ(CUserLocale::LanguageIdFromLocaleName("C.UTF-8"), 1033);
}

TEST_F(LanguageSelectionTest, RuntimeLocaleIsUtf8AndResetByTheFlag) {
    const std::string applied = CUILanguage::SetRuntimeLocale(1041);
    EXPECT_TRUE(applied == "ja_JP.UTF-8" || applied == "C.UTF-8") << applied;
    EXPECT_EQ(std::string(std::setlocale(LC_ALL, nullptr)), applied);
    EXPECT_EQ(std::string(nl_langinfo(CODESET)), "UTF-8");

    ::setenv("LANG", "C", 1);
    { RX40sCLocale untouched; }
    EXPECT_EQ(std::string(std::setlocale(LC_ALL, nullptr)), applied);
    {
        RX40sCLocale changed;
        changed.SetChanged(true);
    }
    EXPECT_EQ(std::string(std::setlocale(LC_ALL, nullptr)), "C");
}

} // namespace
