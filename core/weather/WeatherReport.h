#pragma once

#include <array>
#include <string>

namespace meltemix {

// One forecast slot; every field is the feed's text as written (UTF-8).
struct TForecastDay {
    std::string Day; // "Sun" .. "Sat"
    std::string Low;
    std::string High;
    std::string Code;
};

// The one weather report: the values of the last feed that arrived, as the feed wrote
// them. An empty text means the feed did not give the value.
struct TWeatherReport {
    std::string LastBuildDate;
    std::string CityName;
    std::string Chill;
    std::string WindDirection;
    std::string WindSpeed;
    std::string Humidity;
    std::string Visibility;
    std::string Sunrise;
    std::string Sunset;
    std::string Latitude;
    std::string Longitude;
    std::string ConditionCode;
    std::string Temperature;
    std::string ConditionDate;
    std::array<TForecastDay, 5> Forecast;
    bool DaysBehind = false;
};

} // namespace meltemix
