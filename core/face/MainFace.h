#pragma once

#include "core/skin/Canvas.h"
#include "core/skin/Skin.h"
#include "core/weather/LocaleFormats.h"
#include "core/weather/WeatherReport.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace meltemix {

// The main window's controls as layout rectangles (window pixels). Nothing is drawn by the
// controls themselves; they place the face's parts, carry tooltips and, for the buttons,
// take the clicks.
namespace MainLayout {
constexpr int Width = 233;
constexpr int Height = 248;
constexpr PixelRect WeatherLbl{0, 0, 174, 149};
constexpr PixelRect GridLbl{36, 112, 191, 113};
constexpr std::array<PixelRect, 5> DayLbl{{{36, 126, 61, 34},
                                           {98, 126, 61, 34},
                                           {160, 126, 61, 34},
                                           {36, 183, 61, 34},
                                           {98, 183, 61, 34}}};
constexpr PixelRect MoonLbl{160, 183, 61, 34};
constexpr PixelRect ExitBtn{194, 41, 18, 18};
constexpr PixelRect HideBtn{177, 41, 18, 18};
constexpr PixelRect OptionsBtn{118, 41, 58, 18};
constexpr int TemperatureTop = 56;
constexpr int TemperatureRight = 30 + 195 - 4; // the temperature ends at x = 221
constexpr int CityNameTop = 93;
constexpr int CityNameRight = 30 + 195 - 16; // the place name ends at x = 209
constexpr int CityNameLeftmost = 100; // left of it the big picture covers a long name
} // namespace MainLayout

// The font the details text is measured in for the info window (the hidden InfoTextLbl).
const FontSpec& InfoTextFont();

// The height of the details text as the info window lays it out: measured centred in
// InfoTextLbl's font, rounded to whole pixels.
int MeasureInfoTextHeight(Canvas& canvas, const std::string& infoText);

// Everything a repaint of the main window shows, as the controller holds it.
struct MainFaceInputs {
    TWeatherReport Report;
    std::string StatusText; // the place name, or the connection state's text
    bool Active = false;    // buttons are drawn only after a click into the window
    // Which buttons the control states show (the controller decides).
    bool ExitBtnShown = false;
    bool HideBtnShown = false;
    bool OptionsBtnShown = false;
    bool GridShown = false; // from the first report on
    float Growth = 1.25f;   // the skin's growth factor s
    int MoonIndex = 0;      // today's moon picture 0..28
    int MoonPhasePercent = 0; // of the present moment
    SkinSettings Skin;
    std::string TempFontName = "Arial";
    std::string CityFontName = "Arial";
    LocaleFormats Formats;  // reads the sunrise and sunset times
    std::string InfoText;   // measured for the info window
    // The part with the keyboard focus, marked while the keyboard is in use.
    std::optional<PixelRect> FocusMark;
};

// What the window needs to know after a repaint.
struct MainFaceResult {
    int InfoTextHeight = 0; // t, for the info window's panel
    // Tooltips of the five forecast tiles and of the moon tile; none: the tile has no
    // tooltip (nothing to describe).
    std::array<std::optional<std::string>, 5> DayHints;
    std::optional<std::string> MoonHint;
    // Where the temperature and the place name were drawn; no temperature, no rectangle.
    std::optional<PixelRect> TemperatureRect;
    PixelRect CityNameRect;
};

// The pictures the main window keeps for its life; the condition, forecast and moon
// pictures are read at each repaint instead.
struct MainPictures {
    SkinPictures Skin;
    std::unique_ptr<Picture> Close, Less, Options, Grid, Earth, Sun, None;

    static MainPictures Load(PictureSource& source);
};

// Whether the report's time lies between sunrise and sunset; none when either cannot be read.
std::optional<bool> IsDaytime(const TWeatherReport& report, const LocaleFormats& formats);

// The picture behind the big condition picture, as a path under the picture folder: the sun
// by day, the moon of the phase by night, the earth when day and night cannot be told apart
// or the condition has no sky, nothing for conditions drawn on their own.
inline constexpr const char* NoBackdrop = "Big\\None.png";
inline constexpr const char* EarthBackdrop = "Big\\Earth.png";
inline constexpr const char* SunBackdrop = "Big\\Sun.png";
std::string BackdropName(const TWeatherReport& report, const LocaleFormats& formats,
                         int moonIndex);

// The title of forecast tile 1: "BUGÜN" for a report made from 02:00 to 15:59, else "BU GECE".
std::string FirstTileTitle(const std::string& conditionDate);

// The title of forecast tile `tile` (0..4) as the face draws it: tile 1's by the report's
// time, "YARIN", then the weekdays' abbreviations (the next day's where the feed is a day
// behind); empty where the slot names no weekday.
std::string ForecastTileTitle(int tile, const TWeatherReport& report);

// The font of the place name: the chosen face at 10 points, or smaller, down to 7 points, as
// far as a long name needs to start at CityNameLeftmost or right of it.
FontSpec CityNameFont(Canvas& canvas, const std::string& text, const std::string& fontName);

// Paints the face over a fresh canvas: skin, grid, tiles, temperature, place name, the big
// picture over its backdrop, and the buttons when active. `source` loads the pictures that
// change with the weather.
MainFaceResult PaintMainFace(Canvas& canvas, const MainPictures& pictures, PictureSource& source,
                             const MainFaceInputs& inputs);

// The main window's face: keeps its pictures and the canvas last painted, and hands it to
// the window.
class MainFace {
public:
    MainFace(LayeredSurface& surface, PictureSource& source);

    // A full repaint on a new canvas, handed over with `alpha`.
    MainFaceResult RebuildFace(const MainFaceInputs& inputs, std::uint8_t alpha);
    // Only the skin and the backdrop "Earth", for each step of the first report's unrolling.
    void RepaintSkinOnly(const SkinSettings& skin, float growth, std::uint8_t alpha);
    // The picture last painted, handed over again with another alpha (fades).
    void UpdateLayered(std::uint8_t alpha);
    // The kept pictures read again: the source now gives others (another screen density).
    void ReloadPictures() { pictures_ = MainPictures::Load(source_); }

private:
    std::unique_ptr<Canvas>& FreshCanvas();

    LayeredSurface& surface_;
    PictureSource& source_;
    MainPictures pictures_;
    std::unique_ptr<Canvas> canvas_;
};

} // namespace meltemix
