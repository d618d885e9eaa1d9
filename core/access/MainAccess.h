#pragma once

#include "core/access/AccessTree.h"
#include "core/weather/ConnectionState.h"
#include "core/weather/WeatherReport.h"

#include <string>

namespace meltemix {

// The main window's parts as a screen reader finds them, in reading order: the current
// condition, the five forecast tiles, the moon, and the three buttons left to right.
namespace MainAccessId {
constexpr int Condition = 1;
constexpr int FirstTile = 2; // .. FirstTile + 4
constexpr int Moon = 7;
constexpr int OptionsBtn = 8;
constexpr int HideBtn = 9;
constexpr int ExitBtn = 10;
} // namespace MainAccessId

// The buttons' tooltips, which are also their names.
constexpr const char* OptionsHint = "Özellestirmek için tiklatin...";
constexpr const char* HideHint = "Gizle";
constexpr const char* ExitHint = "Kapat";

// What the main window shows now, as far as its parts' names and states go.
struct MainAccessInputs {
    TWeatherReport Report;
    TConnectionState State = cnReady;
    // The buttons that are drawn and take clicks now.
    bool OptionsShown = false;
    bool HideShown = false;
    bool ExitShown = false;
    int MoonIndex = 0;
    int MoonPhasePercent = 0;
    bool InfoShown = false; // the details window is on: the condition's action hides it
};

AccessTree MainAccessTree(const MainAccessInputs& in);

// The parts' texts, built from the same report texts and tables the face draws.
// "Istanbul, 24 derece, Parçalı Bulutlu", with the connection state last while not ready.
std::string ConditionName(const MainAccessInputs& in);
// "Yarın: Açık, en yüksek 27, en düşük 19 derece"; empty for a slot the face leaves empty.
std::string ForecastTileName(const TWeatherReport& report, int tile);
// "Ay: İlk Dördün, yüzde 45".
std::string MoonTileName(int moonIndex, int moonPhasePercent);
// The tile's title as a word: "Bugün", "Bu gece", "Yarın", "Çarşamba"; empty for none.
std::string SpokenTileTitle(int tile, const TWeatherReport& report);

// The details window: a list named after its title with one item per line it shows, each
// its share of the text's height (`textHeight`, as the window lays the text out).
AccessTree InfoAccessTree(const std::string& infoText, int textHeight);

} // namespace meltemix
