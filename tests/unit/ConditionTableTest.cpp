#include "core/weather/ConditionTable.h"
#include "core/weather/DayAbbrevs.h"
#include "core/weather/MoonNames.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace meltemix;

namespace {

struct CodeCase {
    const char* code;
    const char* text; // report's condition text and tile hint
    TBackdrop backdrop;
    const char* bigIcon;
    const char* tinyIcon; // forecast tile picture
};

class ConditionUses : public ::testing::TestWithParam<CodeCase> {};

TEST_P(ConditionUses, EveryUseFollowsItsRule) {
    const CodeCase& c = GetParam();
    EXPECT_EQ(ConditionText(c.code), c.text);
    EXPECT_EQ(ForecastTileHint(c.code), c.text);
    EXPECT_EQ(BigIconBackdrop(c.code), c.backdrop);
    EXPECT_EQ(BigIconName(c.code), c.bigIcon);
    EXPECT_EQ(ForecastTileIcon(c.code), c.tinyIcon);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ConditionUses,
    ::testing::Values(
        CodeCase{"32", "Açık", TBackdrop::bdSky, "None", "Sun"},
        CodeCase{"31", "Açık", TBackdrop::bdSky, "None", "Moon"},
        CodeCase{"0", "Gök gürültülü", TBackdrop::bdPlain, "Thunderstorms", "Thunderstorms"},
        CodeCase{"26", "Çok Bulutlu", TBackdrop::bdPlain, "Many Clouds", "Clouds"},
        CodeCase{"49", "Bilinmiyor", TBackdrop::bdSky, "None", "Blinmiyor"},
        // Not available: a clear sky behind an empty picture.
        CodeCase{"3200", "Bilinmiyor", TBackdrop::bdSky, "None", "Blinmiyor"},
        CodeCase{"abc", "Bilinmiyor", TBackdrop::bdEarth, "None", "Thunderstorms"},
        CodeCase{"3.0", "Bilinmiyor", TBackdrop::bdEarth, "None", "Thunderstorms"},
        CodeCase{"32 ", "Bilinmiyor", TBackdrop::bdEarth, "None", "Thunderstorms"},
        CodeCase{"99999999999999", "Bilinmiyor", TBackdrop::bdEarth, "None", "Thunderstorms"},
        CodeCase{"", "", TBackdrop::bdEarth, "None", ""},
        // Numbers outside the table: the unknown row, never an index past it.
        CodeCase{"50", "Bilinmiyor", TBackdrop::bdEarth, "None", "Blinmiyor"},
        CodeCase{"-1", "Bilinmiyor", TBackdrop::bdEarth, "None", "Blinmiyor"},
        CodeCase{"-2147483648", "Bilinmiyor", TBackdrop::bdEarth, "None", "Blinmiyor"},
        CodeCase{"2147483647", "Bilinmiyor", TBackdrop::bdEarth, "None", "Blinmiyor"},
        CodeCase{"$FFFFFFFF", "Bilinmiyor", TBackdrop::bdEarth, "None", "Blinmiyor"},
        // Read as the program reads integers: leading blanks, a sign, hexadecimal.
        CodeCase{" 32", "Açık", TBackdrop::bdSky, "None", "Sun"},
        CodeCase{"+5", "Dolu", TBackdrop::bdPlain, "Hail", "Hail"},
        CodeCase{"$20", "Açık", TBackdrop::bdSky, "None", "Sun"}));

TEST(DayAbbrevs, MatchWithoutRegardToCase) {
    EXPECT_EQ(TurkishDayAbbrev("wed"), "ÇRŞ");
    EXPECT_EQ(TurkishDayAbbrev("SUN"), "PAZ");
    EXPECT_EQ(TurkishDayAbbrev("Sat"), "CMT");
    EXPECT_EQ(NextDayAbbrev("Sat"), "Sun");
    EXPECT_EQ(NextDayAbbrev("mon"), "Tue");
}

TEST(DayAbbrevs, UnknownDayHasNoLabel) {
    for (const char* day : {"xyz", "", "Sunday", "Su", "Ça"}) {
        EXPECT_EQ(TurkishDayAbbrev(day), "") << day;
        EXPECT_EQ(NextDayAbbrev(day), "") << day;
    }
}

TEST(MoonNames, IndexPastTheTableIsTheNewMoon) {
    EXPECT_EQ(MoonName(0), "Yeni Ay");
    EXPECT_EQ(MoonName(14), "Dolunay");
    EXPECT_EQ(MoonName(27), "Yeni Ay");
    EXPECT_EQ(MoonName(28), "Yeni Ay");
    EXPECT_EQ(MoonName(29), "");
    EXPECT_EQ(MoonName(-1), "");
}

} // namespace
