#include "core/settings/SettingKeys.h"

namespace meltemix {
namespace {
constexpr const char* General = "General";
constexpr const char* Appearance = "Appearance";
constexpr const char* Location = "Location";

// The local test service until a live one exists.
constexpr const char* DefaultEndpoint = "http://127.0.0.1:8642";

constexpr SettingKey flag(const char* section, const char* name, bool value) {
    return {section, name, SettingType::Flag, value, value, nullptr};
}
constexpr SettingKey integer(const char* section, const char* name, std::int32_t main,
                             std::int32_t dialog) {
    return {section, name, SettingType::Integer, main, dialog, nullptr};
}
constexpr SettingKey integer(const char* section, const char* name, std::int32_t value) {
    return integer(section, name, value, value);
}
constexpr SettingKey text(const char* section, const char* name, const char* value) {
    return {section, name, SettingType::Text, 0, 0, value};
}
} // namespace

namespace keys {
const SettingKey Startup = flag(General, "Startup", true);
const SettingKey Desktop = flag(General, "Desktop", true);
const SettingKey QuickLunch = flag(General, "QuickLunch", true);
const SettingKey AutoUpdate = flag(General, "AutoUpdate", true);
const SettingKey UpdatePeriod = integer(General, "UpdatePeriod", 2, 0);
const SettingKey ShowTrayIcon = flag(General, "ShowTrayIcon", true);
const SettingKey AlwaysTop = flag(General, "AlwaysTop", false);
const SettingKey CheckNewVersion = flag(General, "CheckNewVersion", true);
const SettingKey FadeEffect = flag(General, "FadeEffect", true);
const SettingKey FirstUsage = flag(General, "FirstUsage", true);

const SettingKey Left = integer(Appearance, "Left", 300);
const SettingKey Top = integer(Appearance, "Top", 300);
const SettingKey InfoTextLeft = integer(Appearance, "InfoTextLeft", 331);
const SettingKey InfoTextTop = integer(Appearance, "InfoTextTop", 331);
const SettingKey Background = integer(Appearance, "Background", 2);
const SettingKey BackColor = {Appearance, "BackColor", SettingType::Colour, 8421504, 8421504,
                              nullptr};
const SettingKey GlassEffect = flag(Appearance, "GlassEffect", false);
const SettingKey GlassOpacity = integer(Appearance, "GlassOpacity", 150, 240);
const SettingKey ShowIP = flag(Appearance, "ShowIP", true);
const SettingKey ShowSunInfo = flag(Appearance, "ShowSunInfo", false);
const SettingKey ShowSituation = flag(Appearance, "ShowSituation", false);
const SettingKey ShowDate = flag(Appearance, "ShowDate", false);
const SettingKey ShowHijri = flag(Appearance, "ShowHijri", false);
const SettingKey ShowWind = flag(Appearance, "ShowWind", false);
const SettingKey ShowVisibility = flag(Appearance, "ShowVisibility", false);
const SettingKey ShowHumidity = flag(Appearance, "ShowHumidity", false);
const SettingKey ShowChill = flag(Appearance, "ShowChill", false);
const SettingKey ShowWeatherText = flag(Appearance, "ShowWeatherText", true);
const SettingKey ShowInfoText = flag(Appearance, "ShowInfoText", true);
const SettingKey TempFontName = text(Appearance, "TempFontName", "Arial");
const SettingKey CityFontName = text(Appearance, "CityFontName", "Arial");
const SettingKey LastTabSheet = integer(Appearance, "LastTabSheet", 0);

const SettingKey CityName = text(Location, "CityName", "Istanbul");
const SettingKey CityID = text(Location, "CityID", "TUXX0014");

const SettingKey WeatherEndpoint = text(sections::Endpoints, "Weather", DefaultEndpoint);
const SettingKey SearchEndpoint = text(sections::Endpoints, "Search", DefaultEndpoint);
const SettingKey MakerEndpoint = text(sections::Endpoints, "Maker", DefaultEndpoint);
const SettingKey IPEndpoint = text(sections::Endpoints, "IP", DefaultEndpoint);
// The upstream services of the built-in provider (the value "live" of the keys above).
const SettingKey ForecastApiEndpoint =
    text(sections::Endpoints, "ForecastApi", "https://api.open-meteo.com");
const SettingKey GeocodingApiEndpoint =
    text(sections::Endpoints, "GeocodingApi", "https://geocoding-api.open-meteo.com");
const SettingKey IpApiEndpoint = text(sections::Endpoints, "IpApi", "https://api.ipify.org");
} // namespace keys

const std::vector<const SettingKey*>& AllSettingKeys() {
    using namespace keys;
    static const std::vector<const SettingKey*> all = {
        &Startup,       &Desktop,       &QuickLunch,      &AutoUpdate,     &UpdatePeriod,
        &ShowTrayIcon,  &AlwaysTop,     &CheckNewVersion, &FadeEffect,     &FirstUsage,
        &Left,          &Top,           &InfoTextLeft,    &InfoTextTop,    &Background,
        &BackColor,     &GlassEffect,   &GlassOpacity,    &ShowIP,         &ShowSunInfo,
        &ShowSituation, &ShowDate,      &ShowHijri,       &ShowWind,       &ShowVisibility,
        &ShowHumidity,  &ShowChill,     &ShowWeatherText, &ShowInfoText,   &TempFontName,
        &CityFontName,  &LastTabSheet,  &CityName,        &CityID,         &WeatherEndpoint,
        &SearchEndpoint, &MakerEndpoint, &IPEndpoint,    &ForecastApiEndpoint,
        &GeocodingApiEndpoint, &IpApiEndpoint};
    return all;
}

} // namespace meltemix
