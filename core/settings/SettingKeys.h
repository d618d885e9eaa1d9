#pragma once

#include <cstdint>
#include <vector>

namespace meltemix {

enum class SettingType { Text, Integer, Flag, Colour };

// Who reads a key decides its default where the main window and the options dialog differ.
enum class Reader { Main, Dialog };

struct SettingKey {
    const char* section;
    const char* name;
    SettingType type;
    std::int32_t mainDefault;   // integers, flags and colours
    std::int32_t dialogDefault; // the options dialog's default, usually the same
    const char* textDefault;    // texts only

    std::int32_t defaultFor(Reader who) const {
        return who == Reader::Main ? mainDefault : dialogDefault;
    }
};

// Every key of Options.ini, declared once. List sections (Favorites, CitiesTU) are
// read by section and have no fixed keys.
namespace keys {
extern const SettingKey Startup, Desktop, QuickLunch, AutoUpdate, UpdatePeriod, ShowTrayIcon,
    AlwaysTop, CheckNewVersion, FadeEffect, FirstUsage;
extern const SettingKey Left, Top, InfoTextLeft, InfoTextTop, Background, BackColor, GlassEffect,
    GlassOpacity, ShowIP, ShowSunInfo, ShowSituation, ShowDate, ShowHijri, ShowWind,
    ShowVisibility, ShowHumidity, ShowChill, ShowWeatherText, ShowInfoText, TempFontName,
    CityFontName, LastTabSheet;
extern const SettingKey CityName, CityID;
extern const SettingKey WeatherEndpoint, SearchEndpoint, MakerEndpoint, IPEndpoint;
extern const SettingKey ForecastApiEndpoint, GeocodingApiEndpoint, IpApiEndpoint;
} // namespace keys

const std::vector<const SettingKey*>& AllSettingKeys();

namespace sections {
constexpr const char* Favorites = "Favorites";
constexpr const char* CitiesTU = "CitiesTU";
constexpr const char* Endpoints = "Endpoints";
} // namespace sections

} // namespace meltemix
