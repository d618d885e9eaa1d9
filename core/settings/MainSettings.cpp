#include "core/settings/MainSettings.h"

namespace meltemix {

std::uint32_t RefreshPeriodMs(std::int32_t index) {
    static const std::uint32_t periods[] = {300000, 600000, 900000, 1800000, 3600000, 7200000};
    if (index < 0 || index >= static_cast<std::int32_t>(sizeof periods / sizeof periods[0]))
        return periods[0];
    return periods[index];
}

void LoadSettings(const SettingsFile& file, MainSettings& s) {
    using namespace keys;
    s.Left = file.readInteger(Left);
    s.Top = file.readInteger(Top);
    s.CityName = file.readText(CityName);
    s.CityID = file.readText(CityID);
    s.Background = static_cast<std::uint8_t>(file.readInteger(Background));
    s.AutoUpdate = file.readFlag(AutoUpdate);
    s.FadeEffect = file.readFlag(FadeEffect);
    s.UpdatePeriod = RefreshPeriodMs(file.readInteger(UpdatePeriod));
    s.ShowTrayIcon = file.readFlag(ShowTrayIcon);
    s.GlassEffect = file.readFlag(GlassEffect);
    s.GlassOpacity = static_cast<std::uint8_t>(file.readInteger(GlassOpacity));
    s.BackColor = static_cast<std::uint32_t>(file.readInteger(BackColor));
    s.ShowIP = file.readFlag(ShowIP);
    s.ShowSunInfo = file.readFlag(ShowSunInfo);
    s.ShowSituation = file.readFlag(ShowSituation);
    s.ShowDate = file.readFlag(ShowDate);
    s.ShowHijri = file.readFlag(ShowHijri);
    s.ShowWind = file.readFlag(ShowWind);
    s.ShowVisibility = file.readFlag(ShowVisibility);
    s.ShowHumidity = file.readFlag(ShowHumidity);
    s.ShowChill = file.readFlag(ShowChill);
    s.ShowWeatherText = file.readFlag(ShowWeatherText);
    s.ShowInfoText = file.readFlag(ShowInfoText);
    s.FirstUsage = file.readFlag(FirstUsage);
    s.TempFontName = file.readText(TempFontName);
    s.CityFontName = file.readText(CityFontName);
    s.AlwaysTop = file.readFlag(AlwaysTop);
}

void SaveSettings(SettingsFile& file, const MainSettings& s, ScreenPoint info) {
    using namespace keys;
    file.writeInteger(Left, s.Left);
    file.writeInteger(Top, s.Top);
    file.writeText(CityName, s.CityName);
    file.writeText(CityID, s.CityID);
    file.writeInteger(InfoTextLeft, info.x);
    file.writeInteger(InfoTextTop, info.y);
    file.writeFlag(ShowInfoText, s.ShowInfoText);
    if (s.FirstUsage)
        file.writeText(FirstUsage, "0");
    file.flush();
}

ScreenPoint ReadInfoPosition(const SettingsFile& file) {
    return {file.readInteger(keys::InfoTextLeft), file.readInteger(keys::InfoTextTop)};
}

} // namespace meltemix
