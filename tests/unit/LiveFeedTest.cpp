// The live provider's forecast conversion, checked the way the program reads the result:
// through the feed parser and the report texts, not by the XML's spelling.
#include "core/face/MainFace.h"
#include "core/provider/ForecastFeed.h"
#include "core/text/Decode.h"
#include "core/weather/ConditionTable.h"
#include "core/weather/FeedDates.h"
#include "core/weather/FeedParser.h"
#include "core/weather/ReportTexts.h"
#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace meltemix;
using meltemix::test::DomFactory;
using meltemix::test::ReadTestData;

namespace {

const Place kIstanbul{"İstanbul", "İstanbul", "Türkiye", 41.01384, 28.94966};
const Place kUshuaia{"Ushuaia", "Tierra del Fuego", "Arjantin", -54.8, -68.3};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        throw std::runtime_error("fixture lacks " + from);
    return text.replace(at, from.size(), to);
}

// The main window's arrival sequence on the document's bytes.
TWeatherReport Arrive(const std::string& document) {
    const std::string feed = DecodeDocument(document);
    TWeatherReport report;
    report.CityName = "Eski";
    report.DaysBehind = true;
    ClearReport(report);
    ParseFeed(report, feed, DomFactory());
    CheckDaysBehind(report, feed);
    return report;
}

TWeatherReport Convert(const std::string& answer, const Place& place = kIstanbul) {
    const auto document = ForecastToFeed(answer, place);
    if (!document)
        throw std::runtime_error("no document");
    return Arrive(*document);
}

MainSettings EverythingShown() {
    MainSettings s;
    s.ShowWeatherText = s.ShowSunInfo = s.ShowSituation = s.ShowWind = s.ShowHumidity =
        s.ShowVisibility = s.ShowChill = true;
    s.ShowDate = s.ShowHijri = s.ShowIP = false;
    return s;
}

SystemTime FeedDate(const std::string& text) {
    SystemTime t;
    EXPECT_TRUE(ReadFeedDate(text, t)) << text;
    return t;
}

} // namespace

TEST(LiveFeed, IstanbulByDay) {
    const TWeatherReport r = Convert(ReadTestData("openmeteo_istanbul_day.json"));
    EXPECT_EQ(r.CityName, "İstanbul");
    EXPECT_EQ(r.Temperature, "11");
    EXPECT_EQ(r.ConditionCode, "30");
    EXPECT_EQ(InfoText(r, EverythingShown(), LocaleFormats(), "", "", ""),
              "Parçalı Bulutlu\r\n"
              "GD: 08:14, GB: 17:37\r\n"
              "E: 41.01°, B: 28.95°\r\n"
              "Rüzgar: Güney, 15 km/s\r\n"
              "Nem oranı: %82\r\n"
              "Görüş mesafesi: 24,14 km\r\n"
              "Hissedilen sıcaklık: 9°");
    EXPECT_EQ(TrayHintText(cnReady, r), "İstanbul, Parçalı Bulutlu, 11° - Meltemix!");

    const SystemTime observed = FeedDate(r.ConditionDate);
    EXPECT_EQ(observed.wYear, 2026);
    EXPECT_EQ(observed.wMonth, 12);
    EXPECT_EQ(observed.wDay, 8);
    EXPECT_EQ(observed.wDayOfWeek, 2);
    EXPECT_EQ(observed.wHour, 13);
    EXPECT_EQ(observed.wMinute, 30);
    EXPECT_EQ(r.LastBuildDate, r.ConditionDate);
    EXPECT_FALSE(r.DaysBehind);

    const char* days[] = {"Tue", "Wed", "Thu", "Fri", "Sat"};
    const char* codes[] = {"11", "26", "40", "14", "32"};
    const char* lows[] = {"9", "8", "7", "5", "5"}; // 4.5 rounds away from zero
    const char* highs[] = {"13", "14", "12", "10", "10"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(r.Forecast[i].Day, days[i]) << i;
        EXPECT_EQ(r.Forecast[i].Code, codes[i]) << i;
        EXPECT_EQ(r.Forecast[i].Low, lows[i]) << i;
        EXPECT_EQ(r.Forecast[i].High, highs[i]) << i;
    }
}

TEST(LiveFeed, IstanbulByNightStartsWithToday) {
    // The answer begins the day before the observation; that day is no forecast slot.
    const TWeatherReport r = Convert(ReadTestData("openmeteo_istanbul_night.json"));
    EXPECT_EQ(r.ConditionCode, "31");
    EXPECT_EQ(WeatherText(r), "Açık");
    EXPECT_EQ(WindText(r), "Rüzgar: Yok"); // 0.4 km/h
    EXPECT_EQ(r.Sunrise, "8:14 am");
    EXPECT_EQ(r.Sunset, "5:37 pm");
    const char* days[] = {"Tue", "Wed", "Thu", "Fri", "Sat"};
    const char* codes[] = {"32", "34", "30", "20", "4"}; // forecast days use the day form
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(r.Forecast[i].Day, days[i]) << i;
        EXPECT_EQ(r.Forecast[i].Code, codes[i]) << i;
    }
    EXPECT_EQ(r.Forecast[0].High, "10");
    EXPECT_EQ(FeedDate(r.ConditionDate).wHour, 23);
    EXPECT_FALSE(r.DaysBehind);
}

TEST(LiveFeed, SouthOfTheEquatorWestOfGreenwichBelowZero) {
    const TWeatherReport r = Convert(ReadTestData("openmeteo_ushuaia.json"), kUshuaia);
    EXPECT_EQ(r.CityName, "Ushuaia");
    EXPECT_EQ(SituationText(r), "E: -54.80°, B: -68.30°");
    EXPECT_EQ(TempText(r), "-4°");
    EXPECT_EQ(r.Chill, "-9");
    EXPECT_EQ(r.ConditionCode, "16");
    EXPECT_EQ(VisibilityText(r.Visibility, LocaleFormats()), "1,80 km");
    EXPECT_EQ(SunText(r, LocaleFormats()), "GD: 09:55, GB: 17:22");
    // -0.4 is no "-0"; halves go away from zero.
    const char* highs[] = {"0", "1", "-2", "2", "-3"};
    const char* lows[] = {"-6", "-5", "-9", "-4", "-10"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(r.Forecast[i].High, highs[i]) << i;
        EXPECT_EQ(r.Forecast[i].Low, lows[i]) << i;
    }
    EXPECT_EQ(r.Forecast[4].Code, "46");
    // The zone "-03" is no word the server-time reader could skip; the date still reads.
    const SystemTime observed = FeedDate(r.LastBuildDate);
    EXPECT_EQ(observed.wMonth, 7);
    EXPECT_EQ(observed.wHour, 9);
    EXPECT_FALSE(r.DaysBehind);
}

TEST(LiveFeed, MissingValuesLeaveTheirFieldsEmpty) {
    const TWeatherReport r = Convert(ReadTestData("openmeteo_missing.json"));
    EXPECT_EQ(r.Temperature, "12");
    EXPECT_EQ(r.ConditionCode, "3200");
    EXPECT_EQ(WeatherText(r), "Bilinmiyor");
    EXPECT_TRUE(r.Chill.empty() && r.WindDirection.empty() && r.WindSpeed.empty());
    EXPECT_TRUE(r.Humidity.empty() && r.Visibility.empty());
    EXPECT_TRUE(r.Sunrise.empty() && r.Sunset.empty()); // today's are null
    EXPECT_EQ(FeedDate(r.ConditionDate).wHour, 7);
    // The date that cannot be read makes no slot; values past an array's end are missing.
    EXPECT_EQ(r.Forecast[0].Day, "Tue");
    EXPECT_EQ(r.Forecast[0].High, "24");
    EXPECT_TRUE(r.Forecast[0].Low.empty());
    EXPECT_EQ(r.Forecast[0].Code, "3200");
    EXPECT_EQ(r.Forecast[1].Day, "Wed");
    EXPECT_TRUE(r.Forecast[1].High.empty());
    EXPECT_TRUE(r.Forecast[2].Day.empty());
    EXPECT_FALSE(r.DaysBehind);
}

TEST(LiveFeed, ZoneFromTheOffsetWhenNotAbbreviated) {
    const std::string answer = ReadTestData("openmeteo_missing.json");
    EXPECT_NE(ForecastToFeed(answer, kIstanbul)->find("7:50 am GMT+5:30<"), std::string::npos);
    const std::string named =
        Replace(answer, "\"utc_offset_seconds\":19800", "\"timezone_abbreviation\":\"IST\"");
    EXPECT_NE(ForecastToFeed(named, kIstanbul)->find("7:50 am IST<"), std::string::npos);
}

TEST(LiveFeed, OnlyDailyOrOnlyCurrentValues) {
    const std::string day = ReadTestData("openmeteo_istanbul_day.json");
    // Without the current values there is no "today": the answer's days are taken as given.
    TWeatherReport r = Convert(Replace(day, "\"current\":", "\"elsewhere\":"));
    EXPECT_TRUE(r.Temperature.empty() && r.ConditionCode.empty() && r.LastBuildDate.empty());
    EXPECT_EQ(r.Forecast[0].Day, "Tue");
    EXPECT_EQ(r.Sunrise, "8:14 am");
    EXPECT_FALSE(r.DaysBehind);

    r = Convert(Replace(day, "\"daily\":", "\"elsewhere\":"));
    EXPECT_EQ(r.Temperature, "11");
    EXPECT_TRUE(r.Forecast[0].Day.empty() && r.Sunrise.empty());
}

TEST(LiveFeed, PlaceTextsAreEscaped) {
    const Place odd{"A & B <C> \"D\"", "", "", 0, 0};
    const TWeatherReport r = Convert(ReadTestData("openmeteo_istanbul_day.json"), odd);
    EXPECT_EQ(r.CityName, "A & B <C> \"D\"");
    EXPECT_EQ(SituationText(r), "E: 0.00°, B: 0.00°");
}

TEST(LiveFeed, AnswersThatAreNoForecast) {
    const std::string day = ReadTestData("openmeteo_istanbul_day.json");
    const std::string cases[] = {
        ReadTestData("openmeteo_error.json"),
        "",
        "null",
        "[1,2,3]",
        "\"current\"",
        "{}",
        "{\"current\":[],\"daily\":7}",
        day.substr(0, day.size() / 2),
        day + "}",
        "<html><body>503</body></html>",
        "{\"error\":true,\"current\":{},\"daily\":{}}",
    };
    for (const std::string& answer : cases)
        EXPECT_FALSE(ForecastToFeed(answer, kIstanbul)) << answer.substr(0, 40);
    // An "error" that is not true is no error answer.
    EXPECT_TRUE(ForecastToFeed("{\"error\":false,\"current\":{}}", kIstanbul));
}

// An answer at `now` whose today has these sun times, as the forecast server dates them.
std::string SunAnswer(const std::string& now, const std::string& sunrise, const std::string& sunset) {
    return "{\"utc_offset_seconds\":0,\"current\":{\"time\":\"" + now +
           "\",\"weather_code\":0},\"daily\":{\"time\":[\"" + now.substr(0, 10) +
           "\"],\"sunrise\":[\"" + sunrise + "\"],\"sunset\":[\"" + sunset + "\"]}}";
}

// Day while the sun is up, night while it is down, and no sun times that name another day.
TEST(LiveFeed, SunTimesOfEveryLatitude) {
    const Place reykjavik{"Reykjavík", "", "İzlanda", 64.14, -21.94};
    struct Case {
        const char* what;
        const char* now;
        const char* sunrise;
        const char* sunset;
        bool day;
        const char* sunText;
    };
    const Case cases[] = {
        {"an ordinary day", "2026-12-08T13:30", "2026-12-08T08:14", "2026-12-08T17:37", true,
         "GD: 08:14, GB: 17:37"},
        {"an ordinary evening", "2026-12-08T18:00", "2026-12-08T08:14", "2026-12-08T17:37", false,
         "GD: 08:14, GB: 17:37"},
        {"sunset after midnight", "2026-06-21T14:00", "2026-06-21T02:55", "2026-06-22T00:03", true, ""},
        {"the short night", "2026-06-21T01:30", "2026-06-21T02:55", "2026-06-22T00:03", false, ""},
        {"late in the evening", "2026-06-21T23:45", "2026-06-21T02:55", "2026-06-22T00:03", true, ""},
        {"polar day at midnight", "2026-06-21T00:00", "2026-06-21T00:00", "2026-06-22T00:00", true, ""},
        {"polar day", "2026-06-21T14:00", "2026-06-21T00:00", "2026-06-22T00:00", true, ""},
        {"polar day, late", "2026-06-21T23:45", "2026-06-21T00:00", "2026-06-22T00:00", true, ""},
        {"polar night at noon", "2026-12-21T12:00", "2026-12-21T00:00", "2026-12-21T00:00", false, ""},
        {"polar night at midnight", "2026-12-21T00:00", "2026-12-21T00:00", "2026-12-21T00:00", false, ""},
        {"a sunrise dated the day before", "2026-06-21T12:00", "2026-06-20T23:58", "2026-06-21T23:50", true, ""},
    };
    for (const Case& c : cases) {
        const TWeatherReport r = Convert(SunAnswer(c.now, c.sunrise, c.sunset), reykjavik);
        EXPECT_EQ(IsDaytime(r, LocaleFormats()), c.day) << c.what;
        EXPECT_EQ(SunText(r, LocaleFormats()), c.sunText) << c.what;
    }
}

// The current code takes the day or night form of the observation; forecast days always
// the day form (the whole table is in WmoCodesTest).
TEST(LiveFeed, WeatherCodes) {
    struct Row {
        int wmo, day, night;
    };
    const Row rows[] = {{0, 32, 31}, {2, 30, 29}, {95, 4, 4}, {4, 3200, 3200}};
    const std::string day = ReadTestData("openmeteo_istanbul_day.json");
    for (const Row& row : rows) {
        const std::string code = "\"weather_code\":" + std::to_string(row.wmo) + ",";
        const std::string byDay = Replace(day, "\"weather_code\":2,", code);
        const std::string byNight = Replace(byDay, "\"is_day\":1", "\"is_day\":0");
        const std::string forecast = Replace(day, "[61,", "[" + std::to_string(row.wmo) + ",");
        EXPECT_EQ(Convert(byDay).ConditionCode, std::to_string(row.day)) << row.wmo;
        EXPECT_EQ(Convert(byNight).ConditionCode, std::to_string(row.night)) << row.wmo;
        EXPECT_EQ(Convert(forecast).Forecast[0].Code, std::to_string(row.day)) << row.wmo;
    }
    EXPECT_EQ(Convert(Replace(day, "\"weather_code\":2,", "\"weather_code\":3.0,")).ConditionCode,
              "26");
    EXPECT_EQ(Convert(Replace(day, "\"weather_code\":2,", "\"weather_code\":2.5,")).ConditionCode,
              "3200");
    EXPECT_EQ(Convert(Replace(day, "\"weather_code\":2,", "\"weather_code\":\"2\",")).ConditionCode,
              "3200");
}

// A fresh document is never a day behind, whatever the hour and minute of the
// observation (the reader rounds minutes past 45 up to the next hour).
TEST(LiveFeed, FreshDocumentIsNeverADayBehind) {
    const std::string day = ReadTestData("openmeteo_istanbul_day.json");
    for (int hour = 0; hour < 24; ++hour) {
        for (int minute : {0, 15, 30, 45, 46, 59}) {
            char time[32];
            std::snprintf(time, sizeof time, "2026-12-31T%02d:%02d", hour, minute);
            const std::string answer = Replace(day, "2026-12-08T13:30", time);
            EXPECT_FALSE(ServerTimeText(*ForecastToFeed(answer, kIstanbul)).empty()) << time;
            EXPECT_FALSE(Convert(answer).DaysBehind) << time;
        }
    }
}
