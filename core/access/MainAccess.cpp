#include "core/access/MainAccess.h"

#include "core/access/SpokenText.h"
#include "core/face/InfoFace.h"
#include "core/face/MainFace.h"
#include "core/weather/ConditionTable.h"
#include "core/weather/DayAbbrevs.h"
#include "core/weather/MoonNames.h"
#include "core/weather/ReportTexts.h"
#include "core/weather/StatusTexts.h"

#include <initializer_list>

namespace meltemix {
namespace {

const char* const ProgramName = "Meltemix!";
const char* const PressAction = "Bas";
const char* const WeekdayNames[] = {"Pazar",    "Pazartesi", "Salı",     "Çarşamba",
                                    "Perşembe", "Cuma",      "Cumartesi"};

// Where each part is, in layout pixels, disjoint from one another. A tile takes its title
// above it and its figures below it; the condition takes the band between the buttons and
// the tiles, where its temperature, place name and most of its picture are. The hide button
// gives its last column to the close button, which takes the clicks there.
constexpr int TileTitleRise = 14;
constexpr int TileHeight = 57;
constexpr PixelRect ConditionRect{0, 59, 226, 53};
constexpr PixelRect HideRect{177, 41, 17, 18};

PixelRect TileRect(const PixelRect& label) {
    return {label.Left, label.Top - TileTitleRise, label.Width, TileHeight};
}

std::string Joined(std::initializer_list<std::string> parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        if (!text.empty())
            text += separator;
        text += part;
    }
    return text;
}

AccessNode Button(const char* hint, const PixelRect& rect, bool shown, AccessAction action) {
    AccessNode node;
    node.Role = AccessRole::PushButton;
    node.Name = hint;
    node.Rect = rect;
    node.Shown = shown;
    node.Action = action;
    node.DefaultAction = PressAction;
    return node;
}

} // namespace

std::string SpokenTileTitle(int tile, const TWeatherReport& report) {
    const std::string title = ForecastTileTitle(tile, report);
    if (title == "BUGÜN")
        return "Bugün";
    if (title == "BU GECE")
        return "Bu gece";
    if (title == "YARIN")
        return "Yarın";
    for (std::size_t day = 0; day < DayAbbrevs.size(); ++day)
        if (title == DayAbbrevs[day])
            return WeekdayNames[day];
    return title;
}

std::string ConditionName(const MainAccessInputs& in) {
    const std::string temperature = SpokenText(TempText(in.Report));
    const std::string state = in.State == cnReady ? std::string() : StatusText(in.State, "");
    return Joined({in.Report.CityName, temperature, WeatherText(in.Report), state}, ", ");
}

std::string ForecastTileName(const TWeatherReport& report, int tile) {
    const TForecastDay& slot = report.Forecast[static_cast<std::size_t>(tile)];
    const std::string title = slot.Day.empty() ? std::string() : SpokenTileTitle(tile, report);
    const std::string high = slot.High.empty() ? std::string() : "en yüksek " + SpokenText(slot.High);
    const std::string low = slot.Low.empty() ? std::string() : "en düşük " + SpokenText(slot.Low);
    std::string figures = Joined({high, low}, ", ");
    if (!figures.empty())
        figures += " derece";
    const std::string details = Joined({ForecastTileHint(slot.Code), figures}, ", ");
    if (title.empty())
        return details;
    return details.empty() ? title : title + ": " + details;
}

std::string MoonTileName(int moonIndex, int moonPhasePercent) {
    const std::string phase = MoonName(moonIndex);
    return (phase.empty() ? std::string("Ay") : "Ay: " + phase) + ", yüzde " +
           std::to_string(moonPhasePercent);
}

AccessTree MainAccessTree(const MainAccessInputs& in) {
    AccessTree tree;
    tree.Root.Role = AccessRole::Pane;
    tree.Root.Name = Joined({ProgramName, in.Report.CityName}, " - ");
    tree.Root.Rect = {0, 0, MainLayout::Width, MainLayout::Height};

    AccessNode condition;
    condition.Name = ConditionName(in);
    condition.Rect = ConditionRect;
    condition.Action = AccessAction::ToggleInfo;
    condition.DefaultAction = in.InfoShown ? "Bilgi Ekranını Gizle" : "Bilgi Ekranını Göster";
    tree.Children.push_back(condition);

    for (int tile = 0; tile < 5; ++tile) {
        AccessNode node;
        node.Name = ForecastTileName(in.Report, tile);
        node.Rect = TileRect(MainLayout::DayLbl[static_cast<std::size_t>(tile)]);
        node.Shown = !node.Name.empty();
        tree.Children.push_back(node);
    }

    AccessNode moon;
    moon.Name = MoonTileName(in.MoonIndex, in.MoonPhasePercent);
    moon.Rect = TileRect(MainLayout::MoonLbl);
    moon.Shown = !in.Report.Sunrise.empty(); // as the face draws it
    tree.Children.push_back(moon);

    tree.Children.push_back(
        Button(OptionsHint, MainLayout::OptionsBtn, in.OptionsShown, AccessAction::Options));
    tree.Children.push_back(Button(HideHint, HideRect, in.HideShown, AccessAction::Hide));
    tree.Children.push_back(
        Button(ExitHint, MainLayout::ExitBtn, in.ExitShown, AccessAction::Exit));
    return tree;
}

AccessTree InfoAccessTree(const std::string& infoText, int textHeight) {
    AccessTree tree;
    tree.Root.Role = AccessRole::List;
    tree.Root.Name = InfoHeaderText;
    tree.Root.Rect = {0, 0, InfoLayout::Width, InfoLayout::Height};

    std::vector<std::string> lines;
    for (std::size_t start = 0; !infoText.empty();) {
        const std::size_t end = infoText.find("\r\n", start);
        lines.push_back(infoText.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    const int count = static_cast<int>(lines.size());
    for (int i = 0; i < count; ++i) {
        AccessNode item;
        item.Role = AccessRole::ListItem;
        item.Name = SpokenText(lines[static_cast<std::size_t>(i)]);
        // Each line its share of the height, so that the lines meet without overlapping.
        const int top = textHeight * i / count, bottom = textHeight * (i + 1) / count;
        item.Rect = {InfoLayout::TextLeft, InfoLayout::TextTop + top, InfoLayout::TextWidth,
                     bottom - top};
        tree.Children.push_back(item);
    }
    return tree;
}

} // namespace meltemix
