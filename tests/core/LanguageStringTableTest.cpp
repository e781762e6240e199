#include "resources/CStringTable.h"

#include <gtest/gtest.h>

namespace {

// Every text the program's shell shows: messages, command prompts and menu captions.
const int StringIds[] = {
    128,   2000,  2006,  2007,  2008,  2009,  2010,  2011,  2012,  2013,  2014,  2016,  2017,
    2019,  2020,  2021,  2022,  2024,  2025,  2030,  2034,  2060,  2061,  2070,  2071,  2072,
    2073,  2074,  2075,  2076,  2077,  57345, 57601, 57600, 32792, 32802, 32780, 32800, 32803,
    57616, 57665, 32782, 59392, 32793, 32794, 32784, 32795, 59393, 32789, 32790, 32791, 32774,
    32775, 32801, 32772, 32773, 32776, 32777, 32799, 32798, 57664};
const int MenuIds[] = {1,     2,     3,     4,     5,     6,     57601, 57600, 32792, 32802, 32780,
                       32800, 32803, 57616, 57665, 32804, 32782, 59392, 32793, 32794, 32784, 32795,
                       59393, 32789, 32790, 32791, 32774, 32775, 32801, 32772, 32773, 32776, 32777,
                       32799, 32798, 57664, 32786, 32796, 32787, 32788, 32797};
const int ToolTipCommands[] = {57601, 57600, 32792, 32802, 32780, 32800, 32803, 57665, 32782, 59392,
                               32793, 32794, 32784, 32795, 59393, 32789, 32790, 32791, 32774, 32775,
                               32801, 32772, 32773, 32776, 32777, 32799, 32798, 57664};

TEST(LanguageStringTableTest, BothLanguagesHoldTheSameCompleteSetOfTexts) {
    EXPECT_EQ(CStringTable::StringIds(1033), CStringTable::StringIds(1041));
    EXPECT_EQ(CStringTable::MenuIds(1033), CStringTable::MenuIds(1041));
    for (const int language : {1033, 1041}) {
        for (const int id : StringIds) {
            EXPECT_FALSE(CStringTable::Load(id, language).empty()) << id << " in " << language;
        }
        for (const int id : MenuIds) {
            EXPECT_FALSE(CStringTable::LoadMenu(id, language).empty()) << id << " in " << language;
        }
        for (const int id : ToolTipCommands) {
            const std::string text = CStringTable::Load(id, language);
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << id << " in " << language;
        }
    }
}

TEST(LanguageStringTableTest, EscapesAndBlanksSurviveTheTable) {
    EXPECT_EQ(CStringTable::Load(2017, 1033),
              "This video has been changed.Save?\n\n[ Yes ]\t\t: Save.\n[ No ]\t\t: To "
              "continue without saving.\n[ Cancel ]\t: To abort the process.");
    EXPECT_EQ(CStringTable::Load(2017, 1041),
              "この動画はモザイクが追加されています。動画を保存しますか？\n\n[ はい ]\t\t: "
              "保存する。\n[ いいえ ]\t\t: 保存せずに処理を続行する。\n[ キャンセル ]\t: "
              "処理を中止する。");
    EXPECT_EQ(CStringTable::Load(2011, 1041), "  ");
    EXPECT_EQ(CStringTable::Load(57345, 1033), " ");
    EXPECT_EQ(CStringTable::Load(2034, 1041), "WWWWWWWWWWWWWWW");
    EXPECT_EQ(CStringTable::LoadMenu(57600, 1033), "Close(&C)\tCtrl + W");
    EXPECT_EQ(CStringTable::LoadMenu(3, 1041), "ツール バー(&T)");
    EXPECT_EQ(CStringTable::Load(128, 1033).substr(0, 8), "Quorvel\n");
}

TEST(LanguageStringTableTest, OtherLanguagesReadEnglishAndUnknownIdsAreEmpty) {
    EXPECT_EQ(CStringTable::Load(2019, 2052), CStringTable::Load(2019, 1033));
    EXPECT_EQ(CStringTable::Load(2007, 1042), "Mosaic");
    EXPECT_NE(CStringTable::Load(2007, 1041), CStringTable::Load(2007, 1033));
    EXPECT_EQ(CStringTable::Load(4242, 1033), "");
    EXPECT_EQ(CStringTable::LoadMenu(2017, 1033), "");
}

} // namespace
