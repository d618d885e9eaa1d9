#include "win32/platform/Win32LocaleSource.h"
#include "core/weather/LocaleFormats.h"
#include "core/weather/LocaleNames.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace meltemix;

namespace {

static_assert(LocaleItem::DecimalSeparator == LOCALE_SDECIMAL, "item numbers are the platform's");
static_assert(LocaleItem::TimeFormat == LOCALE_STIMEFORMAT, "item numbers are the platform's");
static_assert(LocaleItem::AmDesignator == LOCALE_S1159, "item numbers are the platform's");
static_assert(LocaleItem::MondayName == LOCALE_SDAYNAME1, "item numbers are the platform's");
static_assert(LocaleItem::JanuaryName == LOCALE_SMONTHNAME1, "item numbers are the platform's");
static_assert(TurkishLcid == MAKELCID(MAKELANGID(LANG_TURKISH, SUBLANG_DEFAULT), SORT_DEFAULT),
              "the Turkish locale");

TEST(Win32LocaleSource, TurkishNamesFromThePlatform) {
    const Win32LocaleSource platform;
    LoadLocaleNames(platform, TurkishLcid);
    EXPECT_EQ(LocaleMonthNames[12], "Aralık");
    EXPECT_EQ(LocaleDayNames[2], "Pazartesi");
    EXPECT_EQ(LocaleDayNames[1], "Pazar");
}

TEST(Win32LocaleSource, FormatsAreSane) {
    const LocaleFormats formats = LoadLocaleFormats(Win32LocaleSource(), TurkishLcid);
    EXPECT_EQ(formats.DecimalSeparator, ",");
    EXPECT_EQ(formats.ShortTimeFormat.find('s'), std::string::npos) << formats.ShortTimeFormat;
    EXPECT_NE(formats.ShortTimeFormat.find_first_of("hH"), std::string::npos)
        << formats.ShortTimeFormat;
}

TEST(Win32LocaleSource, UnknownItemIsEmpty) {
    EXPECT_EQ(Win32LocaleSource().Text(TurkishLcid, 0xFFFF), "");
}

} // namespace
