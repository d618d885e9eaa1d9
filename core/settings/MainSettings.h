#pragma once

#include "core/settings/SettingsFile.h"

#include <cstdint>
#include <string>

namespace meltemix {

// Refresh period in milliseconds for a stored UpdatePeriod index; any other index is 5 min.
std::uint32_t RefreshPeriodMs(std::int32_t index);

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The settings the main window holds in fields named after their keys.
struct MainSettings {
    std::int32_t Left = 300;
    std::int32_t Top = 300;
    std::string CityName = "Istanbul";
    std::string CityID = "TUXX0014";
    std::uint8_t Background = 2; // only the low 8 bits of the stored value take effect
    bool AutoUpdate = true;
    bool FadeEffect = true;
    std::uint32_t UpdatePeriod = 900000; // held as the refresh timer's interval
    bool ShowTrayIcon = true;
    bool GlassEffect = false;
    std::uint8_t GlassOpacity = 150;
    std::uint32_t BackColor = 8421504; // 0x00BBGGRR
    bool ShowIP = true;
    bool ShowSunInfo = false;
    bool ShowSituation = false;
    bool ShowDate = false;
    bool ShowHijri = false;
    bool ShowWind = false;
    bool ShowVisibility = false;
    bool ShowHumidity = false;
    bool ShowChill = false;
    bool ShowWeatherText = true;
    bool ShowInfoText = true;
    bool FirstUsage = true;
    std::string TempFontName = "Arial";
    std::string CityFontName = "Arial";
    bool AlwaysTop = false;
};

// Reads the main window's keys in the order the window applies them.
void LoadSettings(const SettingsFile& file, MainSettings& settings);

// Writes the main window's position, the place, the info window's position and visibility,
// clears the first-run flag and flushes. Stops at the first write that fails.
void SaveSettings(SettingsFile& file, const MainSettings& settings, ScreenPoint infoPosition);

// The info window's stored position, read when it is created.
ScreenPoint ReadInfoPosition(const SettingsFile& file);

} // namespace meltemix
