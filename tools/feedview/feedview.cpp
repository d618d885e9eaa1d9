// feedview FILE [--now YYYY-MM-DDTHH:MM]
// feedview --forecast ANSWER.json [--name NAME] [--now YYYY-MM-DDTHH:MM]
// Reads a downloaded feed as the program receives it and prints, one name=value line per
// item, the report and every text the program would show after it arrived at that time
// (every display setting on, the state ready, no public address known yet). With
// --forecast, the feed is the one the built-in provider makes of an answer of the forecast
// service for the place NAME at the answer's coordinates, and three more lines say whether
// the face takes it for day or night and which two pictures it draws for the condition.
// The lines Access.0 .. Access.10 are what a screen reader hears of the main window's parts
// (empty for a part not shown; the buttons show only after a click), AccessInfo.1 .. of the
// details window's lines.
#include "core/access/MainAccess.h"
#include "core/weather/ConnectionState.h"
#include "core/face/MainFace.h"
#include "core/provider/ForecastFeed.h"
#include "core/settings/MainSettings.h"
#include "core/text/Decode.h"
#include "core/weather/DateTime.h"
#include "core/weather/FeedParser.h"
#include "core/weather/LocaleFormats.h"
#include "core/weather/LocaleNames.h"
#include "core/weather/LocaleSource.h"
#include "core/weather/Moon.h"
#include "core/weather/ConditionTable.h"
#include "core/weather/ReportTexts.h"
#include "core/weather/StatusTexts.h"
#include "core/weather/TurkishLocale.h"
#include "native/pugi/PugiXmlDocument.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

using namespace meltemix;

namespace {

void print(const std::string& name, const std::string& value) {
    std::string escaped;
    for (char c : value) {
        if (c == '\r')
            escaped += "\\r";
        else if (c == '\n')
            escaped += "\\n";
        else
            escaped += c;
    }
    std::cout << name << '=' << escaped << '\n';
}

std::optional<SystemTime> parseNow(const std::string& text) {
    int year, month, day, hour, minute;
    char tail;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d%c", &year, &month, &day, &hour, &minute,
                    &tail) != 5)
        return std::nullopt;
    SystemTime time;
    time.wYear = static_cast<std::uint16_t>(year);
    time.wMonth = static_cast<std::uint16_t>(month);
    time.wDay = static_cast<std::uint16_t>(day);
    time.wHour = static_cast<std::uint16_t>(hour);
    time.wMinute = static_cast<std::uint16_t>(minute);
    if (!EncodeDateTime(time))
        return std::nullopt;
    return time;
}

SystemTime currentLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    SystemTime time;
    time.wYear = static_cast<std::uint16_t>(local.tm_year + 1900);
    time.wMonth = static_cast<std::uint16_t>(local.tm_mon + 1);
    time.wDay = static_cast<std::uint16_t>(local.tm_mday);
    time.wHour = static_cast<std::uint16_t>(local.tm_hour);
    time.wMinute = static_cast<std::uint16_t>(local.tm_min);
    time.wSecond = static_cast<std::uint16_t>(local.tm_sec);
    return time;
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    try {
        // A directory opens but cannot be read; the library reports that by throwing.
        file.exceptions(std::ios::badbit);
        return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    } catch (const std::ios::failure&) {
        return std::nullopt;
    }
}

int usage() {
    std::cerr << "usage: feedview FILE [--now YYYY-MM-DDTHH:MM]\n"
                 "       feedview --forecast ANSWER.json [--name NAME] [--now YYYY-MM-DDTHH:MM]\n";
    return 2;
}

const char* PeriodName(std::optional<bool> day) {
    if (!day)
        return "undetermined";
    return *day ? "day" : "night";
}

} // namespace

int main(int argc, char** argv) {
    std::string path;
    std::optional<SystemTime> now;
    bool forecast = false;
    std::optional<std::string> name;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--now" && i + 1 < argc) {
            now = parseNow(argv[++i]);
            if (!now) {
                std::cerr << "feedview: --now wants a valid YYYY-MM-DDTHH:MM\n";
                return 2;
            }
        } else if (argument == "--forecast" && i + 1 < argc && path.empty()) {
            forecast = true;
            path = argv[++i];
        } else if (argument == "--name" && i + 1 < argc && !name) {
            name = argv[++i];
        } else if (path.empty() && argument.rfind("--", 0) != 0) {
            path = argument;
        } else {
            return usage();
        }
    }
    if (path.empty() || (name && !forecast))
        return usage();

    std::optional<std::string> bytes = readFile(path);
    if (!bytes) {
        std::cerr << "feedview: cannot read " << path << '\n';
        return 2;
    }
    if (forecast) {
        std::optional<Place> place = ForecastAnswerPlace(*bytes);
        if (place) {
            place->Name = name.value_or(std::string());
            bytes = ForecastToFeed(*bytes, *place);
        }
        if (!place || !bytes) {
            std::cerr << "feedview: the built-in provider makes no report of " << path << '\n';
            return 1;
        }
    }

    const SystemTime localTime = now ? *now : currentLocalTime();
    const TDateTime moment = *EncodeDateTime(localTime);
    const SystemTime stamped = *DecodeDateTime(moment); // with its weekday

    const TurkishLocaleSource locale;
    LoadLocaleNames(locale, TurkishLcid);
    const LocaleFormats formats = LoadLocaleFormats(locale, TurkishLcid);

    MainSettings settings;
    settings.ShowWeatherText = settings.ShowSunInfo = settings.ShowSituation = true;
    settings.ShowWind = settings.ShowHumidity = settings.ShowVisibility = true;
    settings.ShowChill = settings.ShowDate = settings.ShowHijri = settings.ShowIP = true;

    const std::string feedText = DecodeDocument(*bytes);
    TWeatherReport report;
    ClearReport(report);
    ParseFeed(report, feedText, [] { return CreatePugiXmlDocument(); });
    CheckDaysBehind(report, feedText);

    const TConnectionState state = cnReady;
    const std::string dateText = DateText(state, moment);
    const std::string hijriText = HijriText(state, stamped);
    const std::string ipText = IpText(state, report.CityName, std::string());

    print("LastBuildDate", report.LastBuildDate);
    print("CityName", report.CityName);
    print("Chill", report.Chill);
    print("WindDirection", report.WindDirection);
    print("WindSpeed", report.WindSpeed);
    print("Humidity", report.Humidity);
    print("Visibility", report.Visibility);
    print("Sunrise", report.Sunrise);
    print("Sunset", report.Sunset);
    print("Latitude", report.Latitude);
    print("Longitude", report.Longitude);
    print("ConditionCode", report.ConditionCode);
    print("Temperature", report.Temperature);
    print("ConditionDate", report.ConditionDate);
    for (std::size_t i = 0; i < report.Forecast.size(); ++i) {
        const std::string slot = "Forecast" + std::to_string(i) + ".";
        print(slot + "Day", report.Forecast[i].Day);
        print(slot + "Low", report.Forecast[i].Low);
        print(slot + "High", report.Forecast[i].High);
        print(slot + "Code", report.Forecast[i].Code);
    }
    print("DaysBehind", report.DaysBehind ? "1" : "0");
    print("WeatherText", WeatherText(report));
    print("SunText", SunText(report, formats));
    print("SituationText", SituationText(report));
    print("WindText", WindText(report));
    print("VisibilityText", VisibilityText(report.Visibility, formats));
    print("TempText", TempText(report));
    print("DateText", dateText);
    print("HijriText", hijriText);
    const std::string infoText = InfoText(report, settings, formats, dateText, hijriText, ipText);
    print("InfoText", infoText);
    print("TrayHintText", TrayHintText(state, report));
    print("MoonPhasePercent", std::to_string(MoonPhasePercent(moment)));
    print("MoonIndex", std::to_string(MoonIndex(moment)));
    MainAccessInputs access;
    access.Report = report;
    access.MoonIndex = MoonIndex(moment);
    access.MoonPhasePercent = MoonPhasePercent(moment);
    const AccessTree tree = MainAccessTree(access);
    for (int id = 0; id <= tree.ChildCount(); ++id) {
        const AccessNode& node = *tree.Node(id);
        print("Access." + std::to_string(id), node.Shown ? node.Name : std::string());
    }
    const AccessTree info = InfoAccessTree(infoText, 0);
    for (int id = 1; id <= info.ChildCount(); ++id)
        print("AccessInfo." + std::to_string(id), info.Node(id)->Name);
    if (forecast) {
        print("Period", PeriodName(IsDaytime(report, formats)));
        print("Backdrop", BackdropName(report, formats, MoonIndex(moment)));
        print("BigPicture", "Big\\" + BigIconName(report.ConditionCode) + ".png");
    }
    return 0;
}
