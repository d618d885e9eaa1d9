#include "core/face/MainFace.h"

#include "core/face/FocusMark.h"
#include "core/weather/ConditionTable.h"
#include "core/weather/DayAbbrevs.h"
#include "core/weather/FeedDates.h"
#include "core/weather/MoonNames.h"
#include "core/weather/ReportTexts.h"
#include "core/weather/TimeOfDay.h"

#include <algorithm>

namespace meltemix {
namespace {

constexpr float TileWidth = 61;
constexpr float TileHeight = 34;
constexpr Argb LowColor = MakeArgb(200, 255, 255, 255);

const FontSpec TileFont{"Tahoma", -11, false};
const FontSpec HighFont{"Arial", -13, true}; // 10 points at 96 dots per inch
const FontSpec LowFont{"Arial", -12, true};  // 9 points
constexpr int CityNameHeight = -13;         // 10 points at 96 dots per inch
constexpr int CityNameSmallest = -9;        // 7 points

// A picture read for this repaint only and released right after it is drawn.
void DrawFileAt(Canvas& canvas, PictureSource& source, const std::string& relative, float x,
                float y) {
    const std::unique_ptr<Picture> picture = source.Load(ResourcePath(relative));
    DrawPictureAt(canvas, *picture, x, y);
}

RectF Moved(const PixelRect& r, float dx, float dy) {
    return {static_cast<float>(r.Left) + dx, static_cast<float>(r.Top) + dy, TileWidth, TileHeight};
}

void PaintForecastTile(Canvas& canvas, PictureSource& source, const TWeatherReport& report,
                       int tile, std::optional<std::string>& hint) {
    const TForecastDay& slot = report.Forecast[static_cast<std::size_t>(tile)];
    const PixelRect& label = MainLayout::DayLbl[static_cast<std::size_t>(tile)];
    if (!slot.Day.empty()) {
        const std::string title = ForecastTileTitle(tile, report);
        if (!title.empty())
            DrawShadowText(canvas, title, Moved(label, 0, -14), TileFont, TextAlign::Center, White);
    }
    if (!slot.High.empty())
        DrawShadowText(canvas, slot.High + "°", Moved(label, -14, 26), HighFont, TextAlign::Center,
                       White);
    if (!slot.Low.empty())
        DrawShadowText(canvas, slot.Low + "°", Moved(label, 14, 26), LowFont, TextAlign::Center,
                       LowColor);
    if (!slot.Code.empty()) {
        hint = ForecastTileHint(slot.Code);
        DrawFileAt(canvas, source, "Tiny\\" + ForecastTileIcon(slot.Code) + ".png",
                   static_cast<float>(label.Left), static_cast<float>(label.Top));
    }
}

void PaintMoonTile(Canvas& canvas, PictureSource& source, const MainFaceInputs& in,
                   std::optional<std::string>& hint) {
    if (in.Report.Sunrise.empty())
        return;
    const PixelRect& label = MainLayout::MoonLbl;
    hint = MoonName(in.MoonIndex);
    DrawFileAt(canvas, source, "Tiny\\Moons\\" + std::to_string(in.MoonIndex) + ".png",
               static_cast<float>(label.Left), static_cast<float>(label.Top));
    DrawShadowText(canvas, "AY", Moved(label, 0, -14), TileFont, TextAlign::Center, White);
    DrawShadowText(canvas, "%" + std::to_string(in.MoonPhasePercent), Moved(label, 0, 26),
                   HighFont, TextAlign::Center, White);
}

// A label sized to its text and ending at `right`; the text is drawn far-aligned in it.
PixelRect PaintRightAligned(Canvas& canvas, const std::string& text, const FontSpec& font,
                            int right, int top) {
    PixelRect label = FitLabel(canvas, text, font, TextAlign::Far, 0, top);
    label.Left = right - label.Width;
    if (!text.empty())
        DrawShadowText(canvas, text, label.ToRectF(), font, TextAlign::Far, White);
    return label;
}

const Picture& Backdrop(const MainFaceInputs& in, const MainPictures& pictures,
                        std::unique_ptr<Picture>& moon, PictureSource& source) {
    const std::string name = BackdropName(in.Report, in.Formats, in.MoonIndex);
    if (name == NoBackdrop)
        return *pictures.None;
    if (name == EarthBackdrop)
        return *pictures.Earth;
    if (name == SunBackdrop)
        return *pictures.Sun;
    moon = source.Load(ResourcePath(name));
    return *moon;
}

int SecondsOf(const TimeOfDay& t) {
    return t.Hour * 3600 + t.Minute * 60 + t.Second;
}

} // namespace

std::string BackdropName(const TWeatherReport& report, const LocaleFormats& formats,
                         int moonIndex) {
    switch (BigIconBackdrop(report.ConditionCode)) {
    case TBackdrop::bdPlain:
        return NoBackdrop;
    case TBackdrop::bdEarth:
        return EarthBackdrop;
    case TBackdrop::bdSky:
        break;
    }
    const std::optional<bool> day = IsDaytime(report, formats);
    if (!day)
        return EarthBackdrop;
    if (*day)
        return SunBackdrop;
    return "Moons\\" + std::to_string(std::max(moonIndex, 0)) + ".png";
}

const FontSpec& InfoTextFont() {
    static const FontSpec font{"Tahoma", -11, false};
    return font;
}

int MeasureInfoTextHeight(Canvas& canvas, const std::string& infoText) {
    return RoundHalfEven(canvas.MeasureText(infoText, InfoTextFont(), TextAlign::Center).Height);
}

MainPictures MainPictures::Load(PictureSource& source) {
    const auto load = [&source](const char* name) { return source.Load(ResourcePath(name)); };
    MainPictures p;
    p.Skin = SkinPictures::Load(source);
    p.Close = load("UI\\Close.png");
    p.Less = load("UI\\Less.png");
    p.Options = load("UI\\Options.png");
    p.Grid = load("UI\\Grid.png");
    p.Earth = load(EarthBackdrop);
    p.Sun = load(SunBackdrop);
    p.None = load(NoBackdrop);
    return p;
}

std::optional<bool> IsDaytime(const TWeatherReport& report, const LocaleFormats& formats) {
    const std::optional<TimeOfDay> sunrise = ParseTimeOfDay(report.Sunrise, formats);
    const std::optional<TimeOfDay> sunset = ParseTimeOfDay(report.Sunset, formats);
    if (!sunrise || !sunset)
        return std::nullopt;
    // A report without a time counts as before sunrise.
    int now = -1;
    SystemTime date;
    if (ReadFeedDate(report.ConditionDate, date))
        now = date.wHour * 3600 + date.wMinute * 60 + date.wSecond;
    return now >= SecondsOf(*sunrise) && now < SecondsOf(*sunset);
}

std::string FirstTileTitle(const std::string& conditionDate) {
    SystemTime date;
    // Without a time the slot is still today's forecast.
    if (!ReadFeedDate(conditionDate, date))
        return "BUGÜN";
    return date.wHour >= 2 && date.wHour <= 15 ? "BUGÜN" : "BU GECE";
}

std::string ForecastTileTitle(int tile, const TWeatherReport& report) {
    const TForecastDay& slot = report.Forecast[static_cast<std::size_t>(tile)];
    switch (tile) {
    case 0:
        return FirstTileTitle(report.ConditionDate);
    case 1:
        return "YARIN";
    default:
        return TurkishDayAbbrev(report.DaysBehind ? NextDayAbbrev(slot.Day) : slot.Day);
    }
}

FontSpec CityNameFont(Canvas& canvas, const std::string& text, const std::string& fontName) {
    FontSpec font{fontName, CityNameHeight, false};
    for (; font.Height < CityNameSmallest; ++font.Height) {
        const PixelRect label = FitLabel(canvas, text, font, TextAlign::Far, 0, 0);
        if (MainLayout::CityNameRight - label.Width >= MainLayout::CityNameLeftmost)
            break;
    }
    return font;
}

MainFaceResult PaintMainFace(Canvas& canvas, const MainPictures& pictures, PictureSource& source,
                             const MainFaceInputs& in) {
    MainFaceResult result;
    result.InfoTextHeight = MeasureInfoTextHeight(canvas, in.InfoText);

    PaintSkin(canvas, pictures.Skin, MainSkinPlacement(in.Growth), in.Skin);

    if (in.GridShown)
        DrawPictureAt(canvas, *pictures.Grid, static_cast<float>(MainLayout::GridLbl.Left),
                      static_cast<float>(MainLayout::GridLbl.Top));

    for (int tile = 0; tile < 5; ++tile)
        PaintForecastTile(canvas, source, in.Report, tile,
                          result.DayHints[static_cast<std::size_t>(tile)]);
    PaintMoonTile(canvas, source, in, result.MoonHint);

    const std::string temperature = TempText(in.Report);
    if (!temperature.empty())
        result.TemperatureRect =
            PaintRightAligned(canvas, temperature, {in.TempFontName, -35, true},
                              MainLayout::TemperatureRight, MainLayout::TemperatureTop);
    result.CityNameRect = PaintRightAligned(canvas, in.StatusText,
                                            CityNameFont(canvas, in.StatusText, in.CityFontName),
                                            MainLayout::CityNameRight, MainLayout::CityNameTop);

    // The big picture comes last but the buttons, covering the texts where it is opaque.
    std::unique_ptr<Picture> moon;
    DrawPictureAt(canvas, Backdrop(in, pictures, moon, source), 0, 0);
    moon.reset();
    DrawFileAt(canvas, source, "Big\\" + BigIconName(in.Report.ConditionCode) + ".png", 0, 0);

    if (in.Active) {
        const auto button = [&canvas](bool shown, const Picture& picture, const PixelRect& at) {
            if (shown)
                DrawPictureAt(canvas, picture, static_cast<float>(at.Left),
                              static_cast<float>(at.Top));
        };
        button(in.ExitBtnShown, *pictures.Close, MainLayout::ExitBtn);
        button(in.HideBtnShown, *pictures.Less, MainLayout::HideBtn);
        button(in.OptionsBtnShown, *pictures.Options, MainLayout::OptionsBtn);
    }
    if (in.FocusMark)
        DrawFocusMark(canvas, *in.FocusMark);
    return result;
}

MainFace::MainFace(LayeredSurface& surface, PictureSource& source)
    : surface_(surface), source_(source), pictures_(MainPictures::Load(source)) {}

std::unique_ptr<Canvas>& MainFace::FreshCanvas() {
    canvas_.reset(); // the old one goes first: two canvases are never held at once
    canvas_ = surface_.NewCanvas(MainLayout::Width, MainLayout::Height);
    return canvas_;
}

MainFaceResult MainFace::RebuildFace(const MainFaceInputs& inputs, std::uint8_t alpha) {
    Canvas& canvas = *FreshCanvas();
    const MainFaceResult result = PaintMainFace(canvas, pictures_, source_, inputs);
    surface_.UpdateLayered(canvas, alpha);
    return result;
}

void MainFace::RepaintSkinOnly(const SkinSettings& skin, float growth, std::uint8_t alpha) {
    Canvas& canvas = *FreshCanvas();
    PaintSkin(canvas, pictures_.Skin, MainSkinPlacement(growth), skin);
    DrawPictureAt(canvas, *pictures_.Earth, 0, 0);
    surface_.UpdateLayered(canvas, alpha);
}

void MainFace::UpdateLayered(std::uint8_t alpha) {
    if (canvas_)
        surface_.UpdateLayered(*canvas_, alpha);
}

} // namespace meltemix
