#include "core/weather/DateTime.h"
#include "core/weather/Hijri.h"
#include "core/weather/LocaleFormats.h"
#include "core/weather/LocaleNames.h"
#include "core/weather/Moon.h"
#include "core/weather/TurkishLocale.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>

using namespace meltemix;

namespace {

SystemTime Record(int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    SystemTime t;
    t.wYear = static_cast<std::uint16_t>(y);
    t.wMonth = static_cast<std::uint16_t>(m);
    t.wDay = static_cast<std::uint16_t>(d);
    t.wHour = static_cast<std::uint16_t>(h);
    t.wMinute = static_cast<std::uint16_t>(mi);
    t.wSecond = static_cast<std::uint16_t>(s);
    t.wMilliseconds = static_cast<std::uint16_t>(ms);
    return t;
}

TDateTime At(int y, int m, int d, int h = 0, int mi = 0) {
    return EncodeDateTime(Record(y, m, d, h, mi)).value();
}

const TDateTime ReferenceNewMoon = At(2006, 6, 25, 18, 5);
const double LunationDays = 2551442861.088 / 86400000.0;

TEST(DateTime, RoundTripsThroughTheRecordOnBothSidesOfDayZero) {
    for (const SystemTime& t : {Record(2026, 12, 7, 23, 59, 58, 999), Record(1899, 12, 29, 6),
                                Record(1, 1, 1), Record(9999, 12, 31, 12)}) {
        const auto back = DecodeDateTime(EncodeDateTime(t).value()).value();
        EXPECT_EQ(back.wYear, t.wYear);
        EXPECT_EQ(back.wMonth, t.wMonth);
        EXPECT_EQ(back.wDay, t.wDay);
        EXPECT_EQ(back.wHour, t.wHour);
        EXPECT_EQ(back.wMilliseconds, t.wMilliseconds);
    }
    EXPECT_EQ(At(1900, 1, 1), 2.0);
    EXPECT_EQ(DecodeDateTime(At(2026, 12, 7))->wDayOfWeek, 1); // Monday
    EXPECT_FALSE(EncodeDateTime(Record(2023, 2, 29)));
    EXPECT_FALSE(DecodeDateTime(1e300));
}

TEST(Moon, ReferenceNewMoonAndHalfACycleLater) {
    EXPECT_EQ(MoonPhasePercent(ReferenceNewMoon), 100);
    EXPECT_EQ(MoonPhasePercent(ReferenceNewMoon + 15), 50);
    EXPECT_EQ(MoonIndexOfPercent(50), 14);
    EXPECT_EQ(MoonPhasePercent(ReferenceNewMoon + 0.002 * LunationDays), 0);
    EXPECT_EQ(MoonPhasePercent(ReferenceNewMoon + LunationDays + 0.002 * LunationDays), 0);
}

TEST(Moon, DatesBeforeTheReferenceMirrorThoseAfter) {
    for (double days : {10.0, 123.4, 5000.25})
        EXPECT_EQ(MoonPhasePercent(ReferenceNewMoon - days),
                  MoonPhasePercent(ReferenceNewMoon + days))
            << days;
}

TEST(Moon, IndexUsesTheDateAlone) {
    // Midnight of the reference day is 18 h before the new moon: 2 %, index 1.
    EXPECT_EQ(MoonIndex(ReferenceNewMoon), 1);
    EXPECT_EQ(MoonIndex(At(2006, 6, 25)), 1);
    EXPECT_EQ(MoonIndex(At(2006, 6, 26)), MoonIndexOfPercent(MoonPhasePercent(At(2006, 6, 26))));
}

TEST(Moon, OutOfRangeMomentsStayInRange) {
    EXPECT_EQ(MoonPhasePercent(1e300), 0);
    EXPECT_EQ(MoonIndex(-1e300), 0);
    const int far = MoonPhasePercent(At(9999, 12, 31, 23, 59));
    EXPECT_GE(far, 0);
    EXPECT_LE(far, 100);
}

TEST(Moon, PercentToIndexTable) {
    // First percentage of each index; the last index runs to 100.
    const int firsts[29] = {0,  2,  6,  9,  13, 17, 20, 24, 27, 31, 35, 38, 42, 45, 49,
                            52, 56, 60, 63, 67, 70, 74, 78, 81, 85, 88, 92, 95, 99};
    for (int index = 0; index < 29; ++index) {
        const int last = index == 28 ? 100 : firsts[index + 1] - 1;
        EXPECT_EQ(MoonIndexOfPercent(firsts[index]), index) << firsts[index];
        EXPECT_EQ(MoonIndexOfPercent(last), index) << last;
    }
}

class FakeLocale : public LocaleSource {
public:
    std::map<std::uint32_t, std::string> items;
    std::string Text(std::uint32_t, std::uint32_t item) const override {
        const auto it = items.find(item);
        return it == items.end() ? std::string() : it->second;
    }
};

TEST(LocaleNames, GregorianDateInTurkish) {
    LoadLocaleNames(TurkishLocaleSource(), TurkishLcid);
    EXPECT_EQ(GregorianDateText(At(2026, 12, 7, 23, 59)), "7 Aralık 2026 Pazartesi");
    EXPECT_EQ(GregorianDateText(At(2027, 1, 3)), "3 Ocak 2027 Pazar");
}

TEST(LocaleNames, PlatformNamesWinAndEmptyOnesFallBackToTurkish) {
    FakeLocale platform;
    platform.items[LocaleItem::JanuaryName + 11] = "December";
    platform.items[48] = "Sunday";
    LoadLocaleNames(platform, TurkishLcid);
    EXPECT_EQ(LocaleMonthNames[12], "December");
    EXPECT_EQ(LocaleMonthNames[11], "Kasım");
    EXPECT_EQ(LocaleDayNames[1], "Sunday");
    EXPECT_EQ(LocaleDayNames[2], "Pazartesi");
    EXPECT_EQ(LocaleDayNames[7], "Cumartesi");
    LoadLocaleNames(TurkishLocaleSource(), TurkishLcid);
}

TEST(LocaleFormats, TimeFormatLosesItsSeconds) {
    EXPECT_EQ(WithoutSeconds("HH:mm:ss"), "HH:mm");
    EXPECT_EQ(WithoutSeconds("h:mm:ss tt"), "h:mm tt");
    EXPECT_EQ(WithoutSeconds("tt hh.mm.ss"), "tt hh.mm");
    EXPECT_EQ(WithoutSeconds("ss"), "HH:mm");

    FakeLocale platform;
    EXPECT_EQ(LoadLocaleFormats(platform, TurkishLcid).ShortTimeFormat, "HH:mm");
    EXPECT_EQ(LoadLocaleFormats(platform, TurkishLcid).DecimalSeparator, ",");
    platform.items[LocaleItem::TimeFormat] = "H:mm:ss";
    platform.items[LocaleItem::DecimalSeparator] = ".";
    EXPECT_EQ(LoadLocaleFormats(platform, TurkishLcid).ShortTimeFormat, "H:mm");
    EXPECT_EQ(LoadLocaleFormats(platform, TurkishLcid).DecimalSeparator, ".");
}

struct HijriCase {
    SystemTime gregorian;
    int year, month, day;
};

class HijriDates : public ::testing::TestWithParam<HijriCase> {};

TEST_P(HijriDates, MatchTheTabularCalendar) {
    const HijriCase& c = GetParam();
    SystemTime hijri;
    ASSERT_EQ(ToHijri(c.gregorian, hijri), 0);
    EXPECT_EQ(hijri.wYear, c.year);
    EXPECT_EQ(hijri.wMonth, c.month);
    EXPECT_EQ(hijri.wDay, c.day);
}

INSTANTIATE_TEST_SUITE_P(ReferencePairs, HijriDates,
                         ::testing::Values(HijriCase{Record(622, 7, 18), 1, 1, 1},
                                           HijriCase{Record(2000, 1, 1), 1420, 9, 25},
                                           HijriCase{Record(2012, 1, 1), 1433, 2, 7},
                                           HijriCase{Record(2016, 7, 28), 1437, 10, 23},
                                           HijriCase{Record(2024, 7, 7), 1446, 1, 1},
                                           HijriCase{Record(2024, 7, 6), 1445, 12, 30}));

TEST(Hijri, WeekdayIsTheGregorianDaysAndTheTimeCarriesOver) {
    SystemTime g = Record(2026, 12, 7, 13, 45, 7, 250);
    g.wDayOfWeek = 5; // wrong on purpose: the day itself decides
    SystemTime hijri;
    ASSERT_EQ(ToHijri(g, hijri), 0);
    EXPECT_EQ(FormatHijriDate(hijri), "27 Cemâziye'l-âhir 1448 Pazartesi");
    EXPECT_EQ(hijri.wHour, 13);
    EXPECT_EQ(hijri.wMinute, 45);
    EXPECT_EQ(hijri.wSecond, 7);
    EXPECT_EQ(hijri.wMilliseconds, 250);
}

TEST(Hijri, InvalidDatesFailAndLeaveTheOutputAlone) {
    for (const SystemTime& g : {Record(2026, 13, 1), Record(2026, 12, 0), Record(2023, 2, 29),
                                Record(622, 7, 17), Record(2026, 1, 1, 24)}) {
        SystemTime hijri = Record(1, 2, 3);
        EXPECT_NE(ToHijri(g, hijri), 0);
        EXPECT_EQ(hijri.wDay, 3);
    }
}

TEST(Hijri, FormatKeepsOutOfRangeFieldsInBounds) {
    SystemTime odd = Record(1448, 13, 1);
    odd.wDayOfWeek = 9;
    EXPECT_EQ(FormatHijriDate(odd), "1  1448 ");
}

} // namespace
