// Every weather code the forecast service documents, as the face and the details show it:
// the condition code of the feed, its Turkish text, its big picture, whether the sun or the
// moon shows behind it, and the small picture of a forecast tile.
#include "core/provider/WmoCodes.h"
#include "core/weather/ConditionTable.h"

#include <gtest/gtest.h>

#include <string>

using namespace meltemix;

namespace {

struct Shown {
    int wmo;
    int day, night; // the feed's condition codes
    const char* text;
    const char* big;
    bool sky;
    const char* tiny; // forecast tiles use the day form
};

const Shown kTable[] = {
    {0, 32, 31, "Açık", "None", true, "Sun"},                          // clear sky
    {1, 34, 33, "Az Bulutlu", "Few Clouds", true, "Sun Few Clouds"},   // mainly clear
    {2, 30, 29, "Parçalı Bulutlu", "Clouds", true, "Sun And Clouds"},  // partly cloudy
    {3, 26, 26, "Çok Bulutlu", "Many Clouds", false, "Clouds"},        // overcast
    {45, 20, 20, "Sisli", "Fog", false, "Fog"},                        // fog
    {48, 20, 20, "Sisli", "Fog", false, "Fog"},                        // depositing rime fog
    {51, 9, 9, "Yağışlı", "Showers", false, "Showers"},                // drizzle: light
    {53, 9, 9, "Yağışlı", "Showers", false, "Showers"},                // moderate
    {55, 9, 9, "Yağışlı", "Showers", false, "Showers"},                // dense
    {56, 8, 8, "Yağışlı", "Showers", false, "Showers"},                // freezing drizzle: light
    {57, 8, 8, "Yağışlı", "Showers", false, "Showers"},                // dense
    {61, 11, 11, "Yağışlı", "Showers", false, "Showers"},              // rain: slight
    {63, 12, 12, "Yağmurlu", "Rain", false, "Rain"},                   // moderate
    {65, 12, 12, "Yağmurlu", "Rain", false, "Rain"},                   // heavy
    {66, 10, 10, "Yağmurlu", "Rain", false, "Rain"},                   // freezing rain: light
    {67, 10, 10, "Yağmurlu", "Rain", false, "Rain"},                   // heavy
    {71, 14, 14, "Kar yağışlı", "Snow", false, "Snow"},                // snow fall: slight
    {73, 16, 16, "Kar yağışlı", "Snow", false, "Snow"},                // moderate
    {75, 41, 41, "Kar yağışlı", "Snow", false, "Snow"},                // heavy
    {77, 16, 16, "Kar yağışlı", "Snow", false, "Snow"},                // snow grains
    {80, 40, 40, "Yağmurlu", "Rain", false, "Rain"},                   // rain showers: slight
    {81, 11, 11, "Yağışlı", "Showers", false, "Showers"},              // moderate
    {82, 12, 12, "Yağmurlu", "Rain", false, "Rain"},                   // violent
    {85, 14, 14, "Kar yağışlı", "Snow", false, "Snow"},                // snow showers: slight
    {86, 46, 46, "Kar yağışlı", "Snow", false, "Snow"},                // heavy
    {95, 4, 4, "Gök gürültülü", "Thunderstorms", false, "Thunderstorms"},  // thunderstorm
    {96, 3, 3, "Gök gürültülü", "Thunderstorms", false, "Thunderstorms"},  // with slight hail
    {99, 3, 3, "Gök gürültülü", "Thunderstorms", false, "Thunderstorms"},  // with heavy hail
};

} // namespace

TEST(WmoCodes, EveryDocumentedCodeByDayAndByNight) {
    for (const Shown& row : kTable) {
        for (const bool day : {true, false}) {
            const int code = ConditionCodeForWmo(row.wmo, day);
            const std::string text = std::to_string(code);
            SCOPED_TRACE("WMO " + std::to_string(row.wmo) + (day ? " by day" : " by night"));
            EXPECT_EQ(code, day ? row.day : row.night);
            EXPECT_EQ(ConditionText(text), row.text);
            EXPECT_EQ(BigIconName(text), row.big);
            EXPECT_EQ(BigIconBackdrop(text), row.sky ? TBackdrop::bdSky : TBackdrop::bdPlain);
            if (day) {
                EXPECT_EQ(ForecastTileIcon(text), row.tiny);
                EXPECT_EQ(ForecastTileHint(text), row.text);
            }
        }
    }
}

TEST(WmoCodes, UndocumentedOrMissingCodesAreNotAvailable) {
    for (const std::int64_t wmo : {-1, 4, 10, 47, 78, 98, 100, 3200})
        EXPECT_EQ(ConditionCodeForWmo(wmo, true), NotAvailableCode) << wmo;
    EXPECT_EQ(ConditionCodeForWmo(std::nullopt, false), NotAvailableCode);
    EXPECT_EQ(ConditionText(std::to_string(NotAvailableCode)), "Bilinmiyor");
}
