#include "core/weather/ConditionTable.h"

#include "core/weather/WholeNumber.h"

#include <optional>

namespace meltemix {

const std::array<TWeatherIcons, ConditionRowCount> WeatherIcons = {{
    {"Thunderstorms", false, "Gök gürültülü"}, // 0
    {"Thunderstorms", false, "Gök gürültülü"}, // 1
    {"Thunderstorms", false, "Gök gürültülü"}, // 2
    {"Thunderstorms", false, "Gök gürültülü"}, // 3
    {"Thunderstorms", false, "Gök gürültülü"}, // 4
    {"Hail", false, "Dolu"},                   // 5
    {"Hail", false, "Dolu"},                   // 6
    {"Hail", false, "Dolu"},                   // 7
    {"Showers", false, "Yağışlı"},             // 8
    {"Showers", false, "Yağışlı"},             // 9
    {"Rain", false, "Yağmurlu"},               // 10
    {"Showers", false, "Yağışlı"},             // 11
    {"Rain", false, "Yağmurlu"},               // 12
    {"Flurries", false, "Sert Rüzgarlı"},      // 13
    {"Snow", false, "Kar yağışlı"},            // 14
    {"Ice", false, "Don"},                     // 15
    {"Snow", false, "Kar yağışlı"},            // 16
    {"Thunderstorms", false, "Gök gürültülü"}, // 17
    {"Hail", false, "Don"},                    // 18
    {"Haze", true, "Hafif Sisli"},             // 19
    {"Fog", false, "Sisli"},                   // 20
    {"Haze", true, "Hafif Sisli"},             // 21
    {"Haze", true, "Hafif Sisli"},             // 22
    {"Wind", false, "Rüzgarlı"},               // 23
    {"Wind", false, "Rüzgarlı"},               // 24
    {"Ice", false, "Don"},                     // 25
    {"Many Clouds", false, "Çok Bulutlu"},     // 26
    {"Many Clouds", true, "Çok Bulutlu"},      // 27
    {"Many Clouds", true, "Çok Bulutlu"},      // 28
    {"Clouds", true, "Parçalı Bulutlu"},       // 29
    {"Clouds", true, "Parçalı Bulutlu"},       // 30
    {"None", true, "Açık"},                    // 31
    {"None", true, "Açık"},                    // 32
    {"Few Clouds", true, "Az Bulutlu"},        // 33
    {"Few Clouds", true, "Az Bulutlu"},        // 34
    {"Thunderstorms", false, "Gök gürültülü"}, // 35
    {"None", true, "Çok Sıcak"},               // 36
    {"Thunderstorms", true, "Gök gürültülü"},  // 37
    {"Thunderstorms", true, "Gök gürültülü"},  // 38
    {"Showers", true, "Yağışlı"},              // 39
    {"Rain", false, "Yağmurlu"},               // 40
    {"Snow", false, "Kar yağışlı"},            // 41
    {"Snow", false, "Kar yağışlı"},            // 42
    {"Snow", false, "Kar yağışlı"},            // 43
    {"Few Clouds", true, "Parçalı Bulutlu"},   // 44
    {"Showers", true, "Yağmurlu"},             // 45
    {"Snow", false, "Kar yağışlı"},            // 46
    {"Thunderstorms", true, "Gök gürültülü"},  // 47
    {"Rain", true, "Yağmurlu"},                // 48
    {"None", true, "Bilinmiyor"},              // 49
}};

const std::array<const char*, ConditionRowCount> TinyIcons = {{
    "Thunderstorms",       // 0
    "Thunderstorms",       // 1
    "Thunderstorms",       // 2
    "Thunderstorms",       // 3
    "Thunderstorms",       // 4
    "Hail",                // 5
    "Hail",                // 6
    "Hail",                // 7
    "Showers",             // 8
    "Showers",             // 9
    "Rain",                // 10
    "Showers",             // 11
    "Rain",                // 12
    "Flurries",            // 13
    "Snow",                // 14
    "Ice",                 // 15
    "Snow",                // 16
    "Thunderstorms",       // 17
    "Hail",                // 18
    "Haze",                // 19
    "Fog",                 // 20
    "Haze",                // 21
    "Haze",                // 22
    "Wind",                // 23
    "Wind",                // 24
    "Ice",                 // 25
    "Clouds",              // 26
    "Moon And Clouds",     // 27
    "Sun And Clouds",      // 28
    "Moon And Clouds",     // 29
    "Sun And Clouds",      // 30
    "Moon",                // 31
    "Sun",                 // 32
    "Moon Few Clouds",     // 33
    "Sun Few Clouds",      // 34
    "Thunderstorms",       // 35
    "Sun",                 // 36
    "Sunny Thunderstorms", // 37
    "Sunny Thunderstorms", // 38
    "Sun And Rain",        // 39
    "Rain",                // 40
    "Snow",                // 41
    "Snow",                // 42
    "Snow",                // 43
    "Sun Few Clouds",      // 44
    "Moon And Rain",       // 45
    "Snow",                // 46
    "Thunderstorms",       // 47
    "Sun And Rain",        // 48
    "Blinmiyor",           // 49 (the picture's file is named so)
}};

namespace {

// What a code text is, before any use decides what to do with it.
struct Code {
    enum Kind { Empty, NotANumber, NotAvailable, Row, Other } kind;
    int row;
};

Code Classify(const std::string& text) {
    if (text.empty())
        return {Code::Empty, 0};
    const std::optional<std::int32_t> value = ParseWholeNumber(text);
    if (!value)
        return {Code::NotANumber, 0};
    if (*value == NotAvailableCode)
        return {Code::NotAvailable, 0};
    if (*value >= 0 && *value < ConditionRowCount)
        return {Code::Row, static_cast<int>(*value)};
    return {Code::Other, 0};
}

} // namespace

std::string ConditionText(const std::string& code) {
    const Code c = Classify(code);
    switch (c.kind) {
    case Code::Empty:
        return std::string();
    case Code::Row:
        return WeatherIcons[static_cast<std::size_t>(c.row)].Description;
    default:
        return WeatherIcons[UnknownConditionRow].Description;
    }
}

TBackdrop BigIconBackdrop(const std::string& code) {
    const Code c = Classify(code);
    switch (c.kind) {
    case Code::NotAvailable:
        return TBackdrop::bdSky; // shown as row 32, clear sky
    case Code::Row:
        return WeatherIcons[static_cast<std::size_t>(c.row)].HasSky ? TBackdrop::bdSky
                                                                    : TBackdrop::bdPlain;
    default:
        return TBackdrop::bdEarth;
    }
}

std::string BigIconName(const std::string& code) {
    const Code c = Classify(code);
    if (c.kind == Code::Row)
        return WeatherIcons[static_cast<std::size_t>(c.row)].IconName;
    return "None";
}

std::string ForecastTileHint(const std::string& code) {
    // The same answers as the report's condition text.
    return ConditionText(code);
}

std::string ForecastTileIcon(const std::string& code) {
    const Code c = Classify(code);
    switch (c.kind) {
    case Code::Empty:
        return std::string();
    case Code::NotANumber:
        return TinyIcons[0];
    case Code::Row:
        return TinyIcons[static_cast<std::size_t>(c.row)];
    default:
        return TinyIcons[UnknownConditionRow];
    }
}

} // namespace meltemix
