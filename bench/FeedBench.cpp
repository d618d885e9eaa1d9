// What one feed arrival costs the main thread: decoding the downloaded bytes, reading the
// feed into the report and building every text the face, the info window and the tray show.
#include "core/weather/ConnectionState.h"
#include "core/settings/MainSettings.h"
#include "core/text/Decode.h"
#include "core/weather/DateTime.h"
#include "core/weather/FeedParser.h"
#include "core/weather/LocaleFormats.h"
#include "core/weather/LocaleNames.h"
#include "core/weather/Moon.h"
#include "core/weather/ReportTexts.h"
#include "core/weather/StatusTexts.h"
#include "core/weather/TurkishLocale.h"
#include "native/pugi/PugiXmlDocument.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

using namespace meltemix;

namespace {

std::string readFeed() {
    std::ifstream file(MELTEMIX_FEED, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void FeedArrival(benchmark::State& state) {
    const std::string bytes = readFeed();
    const TurkishLocaleSource locale;
    LoadLocaleNames(locale, TurkishLcid);
    const LocaleFormats formats = LoadLocaleFormats(locale, TurkishLcid);
    MainSettings settings;
    settings.ShowSunInfo = settings.ShowSituation = settings.ShowWind = true;
    settings.ShowHumidity = settings.ShowVisibility = settings.ShowChill = true;
    settings.ShowDate = settings.ShowHijri = true;
    SystemTime now;
    now.wYear = 2026;
    now.wMonth = 12;
    now.wDay = 7;
    now.wHour = 18;
    now.wDayOfWeek = 1;
    const TDateTime moment = *EncodeDateTime(now);

    TWeatherReport report;
    for (auto _ : state) {
        const std::string feedText = DecodeDocument(bytes);
        ClearReport(report);
        ParseFeed(report, feedText, [] { return CreatePugiXmlDocument(); });
        CheckDaysBehind(report, feedText);
        const std::string dateText = DateText(cnReady, moment);
        const std::string hijriText = HijriText(cnReady, now);
        std::string info = InfoText(report, settings, formats, dateText, hijriText,
                                    IpText(cnReady, report.CityName, "203.0.113.7"));
        std::string hint = TrayHintText(cnReady, report);
        std::string temperature = TempText(report);
        int moon = MoonIndex(moment) + MoonPhasePercent(moment);
        benchmark::DoNotOptimize(info);
        benchmark::DoNotOptimize(hint);
        benchmark::DoNotOptimize(temperature);
        benchmark::DoNotOptimize(moon);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(FeedArrival)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
