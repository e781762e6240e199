#include "app/CInifileManager.h"
#include "platform/CNumberText.h"
#include "platform/RX40CVMIniFile.h"
#include "tests/core/SettingsTestFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {

const std::string DefaultFile = "[Mosaic]\n"
                                "SizeID=2\n"
                                "HoriLengthFromCenter=50\n"
                                "VertLengthFromCenter=50\n"
                                "PlaySpeedRate=1.0\n"
                                "LoopPlay=0\n"
                                "FilterIndex=1\n"
                                "OpenFilterIndex=1\n"
                                "ImageFilterIndex=1\n"
                                "\n"
                                "[FFMpeg]\n"
                                "TmpFile_VCodec=\n"
                                "TmpFile_BitRate(k)=30000\n"
                                "TmpFile_2GLimit=1\n"
                                "TmpFile_QScale(2-31)=4\n"
                                "\n"
                                "[Window]\n"
                                "PosX=100\n"
                                "PosY=100\n"
                                "Width=1200\n"
                                "Height=800\n";

class SettingsFileTest : public ::testing::Test {
protected:
    SettingsTestFolder folder;
    std::string ini = folder.File("Quorvel.ini");
};

TEST_F(SettingsFileTest, FirstStartUsesDefaultsAndWritesAllKeysInOrder) {
    {
        CInifileManager settings(ini);
        EXPECT_EQ(settings.SizeID, 2);
        EXPECT_FLOAT_EQ(settings.PlaySpeedRate, 1.0f);
        EXPECT_EQ(settings.TmpFile_VCodec, "");
        EXPECT_EQ(settings.TmpFile_BitRate, "30000");
        EXPECT_EQ(settings.TmpFile_QScale, "4");
        EXPECT_EQ(settings.WindowRect.left, 100);
        EXPECT_EQ(settings.WindowRect.right, 1300);
        EXPECT_EQ(settings.WindowRect.bottom, 900);
    }
    EXPECT_EQ(folder.Read("Quorvel.ini"), DefaultFile);
}

// The record goes without writing again what a save has just written, but never loses a change
// made after it.
TEST_F(SettingsFileTest, DestructionWritesOnlyWhatASaveHasNotWritten) {
    {
        CInifileManager settings(ini);
        ASSERT_TRUE(settings.Save());
        std::filesystem::remove(ini);
    }
    EXPECT_FALSE(std::filesystem::exists(ini));
    {
        CInifileManager settings(ini);
        ASSERT_TRUE(settings.Save());
        settings.LoopPlay = 1;
    }
    EXPECT_EQ(CInifileManager(ini).LoopPlay, 1);
}

TEST_F(SettingsFileTest, ChangedValuesRoundTrip) {
    {
        CInifileManager settings(ini);
        settings.SizeID = 7;
        settings.HoriLengthFromCenter = 16;
        settings.VertLengthFromCenter = 1000;
        settings.LoopPlay = 1;
        settings.TmpFile_VCodec = "mpeg4";
        settings.FilterIndex = 3;
        settings.WindowRect = {-10, 20, 790, 620};
    }
    CInifileManager settings(ini);
    EXPECT_EQ(settings.SizeID, 7);
    EXPECT_EQ(settings.HoriLengthFromCenter, 16);
    EXPECT_EQ(settings.VertLengthFromCenter, 1000);
    EXPECT_EQ(settings.LoopPlay, 1);
    EXPECT_EQ(settings.TmpFile_VCodec, "mpeg4");
    EXPECT_EQ(settings.FilterIndex, 3);
    EXPECT_EQ(settings.WindowRect.left, -10);
    EXPECT_EQ(settings.WindowRect.top, 20);
    EXPECT_EQ(settings.WindowRect.right, 790);
    EXPECT_EQ(settings.WindowRect.bottom, 620);
}

TEST_F(SettingsFileTest, EveryComboSpeedRoundTripsExactly) {
    for (const char* speed : {"2.0", "1.0", "0.8", "0.5", "0.2", "0.1"}) {
        folder.Write("Quorvel.ini", std::string("[Mosaic]\nPlaySpeedRate=") + speed + "\n");
        { CInifileManager settings(ini); }
        EXPECT_NE(folder.Read("Quorvel.ini").find(std::string("PlaySpeedRate=") + speed + "\n"),
                  std::string::npos)
            << speed;
    }
}

TEST_F(SettingsFileTest, UnreadableAndEmptyValuesComeBackAsSpecified) {
    folder.Write("Quorvel.ini", "[Mosaic]\nPlaySpeedRate=abc\nSizeID=x12\nLoopPlay= 1junk\n"
                                "[FFMpeg]\nTmpFile_BitRate(k)=\nTmpFile_QScale(2-31)=99\n"
                                "[Window]\nPosX=-5\nWidth=\n");
    {
        CInifileManager settings(ini);
        EXPECT_FLOAT_EQ(settings.PlaySpeedRate, 0.0f);
        EXPECT_EQ(settings.SizeID, 0);
        EXPECT_EQ(settings.LoopPlay, 1);
        EXPECT_EQ(settings.TmpFile_BitRate, "30000");
        EXPECT_EQ(settings.TmpFile_QScale, "99");
        EXPECT_EQ(settings.WindowRect.left, -5);
        EXPECT_EQ(settings.WindowRect.right, -5); // an empty width reads as 0
    }
    const std::string text = folder.Read("Quorvel.ini");
    EXPECT_NE(text.find("PlaySpeedRate=0.0\n"), std::string::npos);
    EXPECT_NE(text.find("TmpFile_BitRate(k)=30000\n"), std::string::npos);
    EXPECT_NE(text.find("Width=0\n"), std::string::npos);
}

TEST_F(SettingsFileTest, OtherContentIsKeptAndKeysMatchWithoutCase) {
    folder.Write("Quorvel.ini", "; my notes\n[mosaic]\nsizeid = 5\n\n"
                                "[Recent File List]\nFile1=/v/a.mp4\n");
    {
        CInifileManager settings(ini);
        EXPECT_EQ(settings.SizeID, 5);
        settings.SizeID = 6;
    }
    const std::string text = folder.Read("Quorvel.ini");
    EXPECT_EQ(text.rfind("; my notes\n[mosaic]\nSizeID=6\n", 0), 0u);
    EXPECT_EQ(text.find("sizeid"), std::string::npos);
    EXPECT_NE(text.find("[Recent File List]\nFile1=/v/a.mp4\n"), std::string::npos);
    // New keys go into the existing section, before the blank line that ends it.
    EXPECT_NE(text.find("ImageFilterIndex=1\n\n[Recent File List]"), std::string::npos);
}

TEST_F(SettingsFileTest, FailedWritesAreSilentAndLeaveTheOldFile) {
    folder.Write("Quorvel.ini", "[Mosaic]\nSizeID=4\n");
    std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
    {
        CInifileManager settings(ini);
        settings.SizeID = 9;
    }
    EXPECT_EQ(folder.Read("Quorvel.ini"), "[Mosaic]\nSizeID=4\n");

    const std::string missing = folder.File("no/such/folder/Quorvel.ini");
    { CInifileManager settings(missing); }
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_FALSE(std::filesystem::exists(folder.File("Quorvel.ini.tmp")));
}

TEST(SettingsNumberTest, LeadingIntegerParse) {
    EXPECT_EQ(CNumberText::ParseLeadingInt("  42abc"), 42);
    EXPECT_EQ(CNumberText::ParseLeadingInt("\t-17"), -17);
    EXPECT_EQ(CNumberText::ParseLeadingInt("+8"), 8);
    EXPECT_EQ(CNumberText::ParseLeadingInt("abc"), 0);
    EXPECT_EQ(CNumberText::ParseLeadingInt("- 5"), 0);
    EXPECT_EQ(CNumberText::ParseLeadingInt(""), 0);
    EXPECT_EQ(CNumberText::ParseLeadingInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(CNumberText::ParseLeadingInt("-2147483648"), INT_MIN);
    EXPECT_EQ(CNumberText::ParseLeadingInt("-99999999999"), INT_MIN);
}

TEST(SettingsNumberTest, DecimalsAreLocaleFree) {
    EXPECT_FLOAT_EQ(CNumberText::ParseFloat(" 0.5x"), 0.5f);
    EXPECT_FLOAT_EQ(CNumberText::ParseFloat(".8"), 0.8f);
    EXPECT_FLOAT_EQ(CNumberText::ParseFloat("-1.5"), -1.5f);
    EXPECT_FLOAT_EQ(CNumberText::ParseFloat("0,5"), 0.0f);
    EXPECT_FLOAT_EQ(CNumberText::ParseFloat("nan"), 0.0f);
    EXPECT_FLOAT_EQ(CNumberText::ParseFloat("1e300"), 0.0f);
    EXPECT_DOUBLE_EQ(CNumberText::ParseDouble(" -0.8889x"), -0.8889);
    EXPECT_DOUBLE_EQ(CNumberText::ParseDouble("1e300"), 1e300);
    EXPECT_DOUBLE_EQ(CNumberText::ParseDouble("1e400"), 0.0);
    EXPECT_EQ(CNumberText::FormatOneDecimal(0.5f), "0.5");
    EXPECT_EQ(CNumberText::FormatOneDecimal(0.25f), "0.2"); // 0.25f is exact: ties to even
    EXPECT_EQ(CNumberText::FormatOneDecimal(-0.04f), "-0.0");
    EXPECT_EQ(CNumberText::FormatOneDecimal(12345.67f), "12345.7");
    EXPECT_EQ(CNumberText::FormatInt(-2147483647 - 1), "-2147483648");
}

TEST_F(SettingsFileTest, AccessClassReadsAndWritesOnlyWithASection) {
    RX40CVMIniFile file(ini);
    file.WriteString("Key", "value");
    EXPECT_FALSE(std::filesystem::exists(ini));
    EXPECT_EQ(file.ReadString("Key", "fallback"), "fallback");
    EXPECT_EQ(file.ReadInt("Key", 7), 7);

    file.SetSection("S");
    file.WriteString("Quoted", "\"  padded  \"");
    file.WriteString("Broken", "a\nInjected=1");
    file.WriteString("Long", std::string(2000, 'x'));
    EXPECT_EQ(file.ReadString("Quoted", ""), "  padded  ");
    EXPECT_EQ(file.ReadString("Broken", "none"), "none");
    EXPECT_EQ(file.ReadString("Injected", "none"), "none");
    EXPECT_EQ(file.ReadString("Long", "").size(), RX40CVMIniFile::MaxValueLength);
    file.DeleteKey("Quoted");
    EXPECT_EQ(file.ReadString("Quoted", "gone"), "gone");
}

TEST_F(SettingsFileTest, BatchEndsAsTheSingleWritesWould) {
    const std::string start = "; notes\n[S]\nOld=1\nKeep=2\n";
    folder.Write("Batch.ini", start);
    folder.Write("Single.ini", start);
    RX40CVMIniFile(folder.File("Batch.ini"))
        .WriteEntries({{"S", "A", "1"},
                       {"S", "Bad", "x\nInjected=1"},
                       {"", "Lost", "3"},
                       {"S", "Old", std::nullopt},
                       {"T", "B", "2"},
                       {"S", "A", "4"}});
    RX40CVMIniFile single(folder.File("Single.ini"));
    single.SetSection("S");
    single.WriteString("A", "1");
    single.WriteString("Bad", "x\nInjected=1");
    single.DeleteKey("Old");
    single.SetSection("T");
    single.WriteString("B", "2");
    single.SetSection("S");
    single.WriteString("A", "4");
    EXPECT_EQ(folder.Read("Batch.ini"), folder.Read("Single.ini"));
    EXPECT_EQ(single.ReadString("Injected", "none"), "none");
    EXPECT_EQ(single.ReadInt("A", 0), 4);
}

TEST_F(SettingsFileTest, WindowsLineEndsAreKept) {
    folder.Write("Quorvel.ini", "[Mosaic]\r\nSizeID=1\r\n");
    RX40CVMIniFile file(ini);
    file.SetSection("Mosaic");
    EXPECT_EQ(file.ReadInt("SizeID", 0), 1);
    file.WriteInt("LoopPlay", 1);
    EXPECT_EQ(folder.Read("Quorvel.ini"), "[Mosaic]\r\nSizeID=1\r\nLoopPlay=1\r\n");
}

TEST_F(SettingsFileTest, ByteOrderMarkNeitherHidesNorDuplicatesTheFirstSection) {
    const std::string bom = "\xEF\xBB\xBF";
    folder.Write("Quorvel.ini", bom + "[Mosaic]\nSizeID=6\n");
    {
        CInifileManager settings(ini);
        EXPECT_EQ(settings.SizeID, 6);
        settings.SizeID = 8;
    }
    const std::string text = folder.Read("Quorvel.ini");
    EXPECT_EQ(text.rfind(bom + "[Mosaic]\nSizeID=8\n", 0), 0u) << text;
    EXPECT_EQ(text.find("[Mosaic]"), text.rfind("[Mosaic]")) << text;
}

TEST_F(SettingsFileTest, KeysThatWouldReadAsASectionOrACommentAreRefused) {
    RX40CVMIniFile file(ini);
    file.SetSection("S");
    file.WriteString("Kept", "1");
    for (const char* key : {"[c]", ";note"}) {
        file.WriteString(key, "42");
        EXPECT_EQ(file.ReadString(key, "none"), "none") << key;
    }
    file.WriteString(" [c", "x]");
    EXPECT_EQ(file.ReadString(" [c", "none"), "none");
    // The section still holds its key: nothing split it.
    EXPECT_EQ(file.ReadInt("Kept", 0), 1);
    EXPECT_EQ(folder.Read("Quorvel.ini"), "[S]\nKept=1\n");
}

TEST(SettingsTestFolderTest, AFolderThatCannotBeMadeStopsTheTest) {
    const char* previous = std::getenv("TMPDIR");
    const std::string saved = previous ? previous : "";
    // Nobody, not even root, can make a folder in /proc.
    ::setenv("TMPDIR", "/proc", 1);
    EXPECT_THROW(SettingsTestFolder{}, std::runtime_error);
    if (previous) {
        ::setenv("TMPDIR", saved.c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
}

} // namespace
