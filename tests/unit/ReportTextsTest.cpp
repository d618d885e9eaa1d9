#include "core/weather/ReportTexts.h"
#include "core/weather/LocaleNames.h"
#include "core/weather/StatusTexts.h"
#include "core/weather/TimeOfDay.h"
#include "core/weather/TurkishLocale.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace meltemix;

namespace {

const LocaleFormats Turkish;

MainSettings NothingShown() {
    MainSettings s;
    s.ShowWeatherText = s.ShowSunInfo = s.ShowSituation = s.ShowWind = s.ShowHumidity =
        s.ShowVisibility = s.ShowChill = s.ShowDate = s.ShowHijri = s.ShowIP = false;
    return s;
}

TEST(CompassName, SectorEdges) {
    const std::pair<const char*, const char*> cases[] = {{"0", "Kuzey"},
                                                         {"23", "Kuzey"},
                                                         {"24", "Kuzey Doğu"},
                                                         {"113", "Doğu"},
                                                         {"114", "Güney Doğu"},
                                                         {"248", "Güney Batı"},
                                                         {"338", "Kuzey Batı"},
                                                         {"339", "Kuzey"},
                                                         {"359", "Kuzey"},
                                                         {"99999", "Kuzey"},
                                                         {"abc", ""},
                                                         {"-5", ""},
                                                         {"", ""},
                                                         {"22.5", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(CompassName(c.first), c.second) << c.first;
}

TEST(WindText, CalmOnlyForZeroItself) {
    TWeatherReport r;
    r.WindDirection = "200";
    r.WindSpeed = "0";
    EXPECT_EQ(WindText(r), "Rüzgar: Yok");
    r.WindSpeed = "0.0";
    EXPECT_EQ(WindText(r), "Rüzgar: Güney, 0.0 km/s");
    r.WindDirection = "abc";
    EXPECT_EQ(WindText(r), "Rüzgar: , 0.0 km/s");
    r.WindDirection = "";
    EXPECT_EQ(WindText(r), "");
}

TEST(VisibilityText, KilometresWithTheLocaleSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"999", "9,99 km"}, {"31999", "319,99 km"}, {"32000", "Sınırsız"}, {"1e300", "Sınırsız"},
        {"0", "0,00 km"},   {"12,5", "0,13 km"},    {"1609", "16,09 km"},  {"", ""},
        {"-1", ""},         {"10.5", ""},           {"abc", ""},           {"1e999", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(VisibilityText(c.first, Turkish), c.second) << c.first;

    LocaleFormats english;
    english.DecimalSeparator = ".";
    // 0.105 in single precision lies just below the half.
    EXPECT_EQ(VisibilityText("10.5", english), "0.10 km");
    EXPECT_EQ(VisibilityText("12,5", english), "");
}

TEST(TimeOfDay, ReadsFeedTimes) {
    const std::pair<const char*, const char*> cases[] = {
        {"6:47 am", "06:47"}, {"7:5 pm", "19:05"}, {"12:10 AM", "00:10"}, {"12:10 pm", "12:10"},
        {"18:05", "18:05"},   {"7 PM", "19:00"},   {"pm 7:30", "19:30"},  {" 5:01:59 ", "05:01"}};
    for (const auto& c : cases) {
        const auto t = ParseTimeOfDay(c.first, Turkish);
        ASSERT_TRUE(t) << c.first;
        EXPECT_EQ(FormatTimeOfDay(*t, Turkish, Turkish.ShortTimeFormat), c.second) << c.first;
    }
    for (const char* bad :
         {"", "am", "13:00 pm", "0:10 am", "24:00", "6:60", "6:47 amx", "6.47", "99999999:00"})
        EXPECT_FALSE(ParseTimeOfDay(bad, Turkish)) << bad;
    EXPECT_EQ(FormatTimeOfDay({19, 5, 0}, Turkish, "h:mm tt 'h'"), "7:05 ÖS h");
}

TEST(SunText, UnreadableTimeDropsTheLine) {
    TWeatherReport r;
    r.Sunrise = "6:47 am";
    r.Sunset = "7:5 pm";
    EXPECT_EQ(SunText(r, Turkish), "GD: 06:47, GB: 19:05");
    r.Sunset = "dusk";
    EXPECT_EQ(SunText(r, Turkish), "");
    // The day's first and last minute stand for a sun that rose before today or sets after it.
    for (const auto& [rise, set] : {std::pair{"12:00 am", "11:59 pm"}, {"12:00 am", "12:00 am"},
                                    {"2:55 am", "11:59 pm"}, {"12:00 am", "7:05 pm"}}) {
        r.Sunrise = rise;
        r.Sunset = set;
        EXPECT_EQ(SunText(r, Turkish), "") << rise << " " << set;
    }
    r.Sunrise = "12:01 am";
    r.Sunset = "11:58 pm";
    EXPECT_EQ(SunText(r, Turkish), "GD: 00:01, GB: 23:58");
}

TEST(InfoText, SelectedLinesInOrder) {
    TWeatherReport r;
    r.ConditionCode = "32";
    r.Humidity = "67";
    r.Chill = "19";
    r.Latitude = "41.01";
    r.Longitude = "28.95";
    MainSettings s = NothingShown();
    EXPECT_EQ(InfoText(r, s, Turkish, "d", "h", "1.2.3.4"), "");

    s.ShowHumidity = true;
    EXPECT_EQ(InfoText(r, s, Turkish, "", "", ""), "Nem oranı: %67");

    s.ShowWeatherText = s.ShowSituation = s.ShowChill = s.ShowDate = s.ShowIP = s.ShowWind = true;
    EXPECT_EQ(InfoText(r, s, Turkish, "7 Aralık 2026 Pazartesi", "", "1.2.3.4"),
              "Açık\r\nE: 41.01°, B: 28.95°\r\nNem oranı: %67\r\nHissedilen sıcaklık: 19°\r\n"
              "7 Aralık 2026 Pazartesi\r\nIP: 1.2.3.4");
}

TEST(DateLines, OnlyWhenReady) {
    LoadLocaleNames(TurkishLocaleSource(), TurkishLcid);
    SystemTime now;
    now.wYear = 2026;
    now.wMonth = 12;
    now.wDay = 7;
    now.wHour = 23;
    now.wMinute = 59;
    const TDateTime t = EncodeDateTime(now).value();
    EXPECT_EQ(DateText(cnReady, t), "7 Aralık 2026 Pazartesi");
    EXPECT_EQ(HijriText(cnReady, now), "27 Cemâziye'l-âhir 1448 Pazartesi");
    EXPECT_EQ(DateText(cnNoConnection, t), "");
    EXPECT_EQ(HijriText(cnConnecting, now), "");
    now.wMonth = 13;
    EXPECT_EQ(HijriText(cnReady, now), "");
}

TEST(TrayHintText, ReadyAndNotReady) {
    TWeatherReport r;
    EXPECT_EQ(TrayHintText(cnReady, r), "Meltemix!");
    r.CityName = "Istanbul";
    r.ConditionCode = "32";
    r.Temperature = "21";
    EXPECT_EQ(TrayHintText(cnReady, r), "Istanbul, Açık, 21° - Meltemix!");
    EXPECT_EQ(TrayHintText(cnNoConnection, r), "Meltemix! - Bağlantı yok");
    r.ConditionCode.clear();
    r.Temperature.clear();
    EXPECT_EQ(TrayHintText(cnReady, r), "Istanbul - Meltemix!");
}

TEST(StatusTexts, ByState) {
    EXPECT_EQ(StatusText(cnConnecting, "Istanbul"), "Bağlantı kuruluyor...");
    EXPECT_EQ(StatusText(cnError, "Istanbul"), "Hata: İstisnai durum oluştu.");
    EXPECT_EQ(StatusText(cnReady, "Istanbul"), "Istanbul");
    EXPECT_EQ(IpText(cnNoConnection, "Istanbul", "1.2.3.4"), "Bağlantı yok");
    EXPECT_EQ(IpText(cnReady, "Istanbul", ""), "Araştırılıyor...");
    EXPECT_EQ(IpText(cnReady, "Istanbul", "1.2.3.4"), "1.2.3.4");
}

} // namespace
