#include "core/weather/ReportTexts.h"

#include "core/weather/ConditionTable.h"
#include "core/weather/Hijri.h"
#include "core/weather/LocaleDecimal.h"
#include "core/weather/LocaleNames.h"
#include "core/weather/StatusTexts.h"
#include "core/weather/TimeOfDay.h"
#include "core/weather/WholeNumber.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace meltemix {
namespace {

const char* const ProgramName = "Meltemix!";

// Whole hundredths, halves away from zero, as the "0.00" pattern rounds. The value comes
// from a single-precision number below 320, so the product is exact in double precision.
std::string TwoDecimals(float value, const std::string& separator) {
    const auto hundredths =
        static_cast<std::int64_t>(std::floor(static_cast<double>(value) * 100 + 0.5));
    const std::int64_t fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + separator + (fraction < 10 ? "0" : "") +
           std::to_string(fraction);
}

} // namespace

std::string WeatherText(const TWeatherReport& report) {
    return ConditionText(report.ConditionCode);
}

std::string SunText(const TWeatherReport& report, const LocaleFormats& formats) {
    if (report.Sunrise.empty() || report.Sunset.empty())
        return std::string();
    const auto sunrise = ParseTimeOfDay(report.Sunrise, formats);
    const auto sunset = ParseTimeOfDay(report.Sunset, formats);
    if (!sunrise || !sunset)
        return std::string();
    // A sun that rose before today (polar day, polar night) or sets after it (after
    // midnight, polar day) has no time of today to name; the built-in provider writes those
    // as the day's first and last minute, and naming them would be wrong.
    const bool roseBefore = sunrise->Hour == 0 && sunrise->Minute == 0;
    const bool setsAfter = sunset->Hour == 23 && sunset->Minute == 59;
    if (roseBefore || setsAfter)
        return std::string();
    return "GD: " + FormatTimeOfDay(*sunrise, formats, formats.ShortTimeFormat) +
           ", GB: " + FormatTimeOfDay(*sunset, formats, formats.ShortTimeFormat);
}

std::string SituationText(const TWeatherReport& report) {
    if (report.Latitude.empty() || report.Longitude.empty())
        return std::string();
    return "E: " + report.Latitude + "°, B: " + report.Longitude + "°";
}

std::string WindText(const TWeatherReport& report) {
    if (report.WindDirection.empty() || report.WindSpeed.empty())
        return std::string();
    if (report.WindSpeed == "0")
        return "Rüzgar: Yok";
    return "Rüzgar: " + CompassName(report.WindDirection) + ", " + report.WindSpeed + " km/s";
}

std::string CompassName(const std::string& bearing) {
    const auto degrees = ParseWholeNumber(bearing);
    if (!degrees || *degrees < 0)
        return std::string();
    static const struct {
        std::int32_t last;
        const char* name;
    } sectors[] = {
        {23, "Kuzey"},  {68, "Kuzey Doğu"},  {113, "Doğu"}, {158, "Güney Doğu"},
        {203, "Güney"}, {248, "Güney Batı"}, {293, "Batı"}, {338, "Kuzey Batı"},
    };
    for (const auto& sector : sectors)
        if (*degrees <= sector.last)
            return sector.name;
    return "Kuzey";
}

std::string VisibilityText(const std::string& visibility, const LocaleFormats& formats) {
    const double read = ParseLocaleDecimal(visibility, formats.DecimalSeparator).value_or(-1);
    const double km = read / 100;
    if (km < 0)
        return std::string();
    // Decided before narrowing, so that no value is too large for a single.
    if (km >= 320)
        return "Sınırsız";
    const float v = static_cast<float>(km);
    if (v >= 320)
        return "Sınırsız";
    return TwoDecimals(v, formats.DecimalSeparator) + " km";
}

std::string TempText(const TWeatherReport& report) {
    return report.Temperature.empty() ? std::string() : report.Temperature + "°";
}

std::string DateText(TConnectionState state, TDateTime now) {
    return state == cnReady ? GregorianDateText(now) : std::string();
}

std::string HijriText(TConnectionState state, const SystemTime& now) {
    if (state != cnReady)
        return std::string();
    SystemTime hijri;
    if (ToHijri(now, hijri) != 0)
        return std::string();
    return FormatHijriDate(hijri);
}

std::string InfoText(const TWeatherReport& report, const MainSettings& settings,
                     const LocaleFormats& formats, const std::string& dateText,
                     const std::string& hijriText, const std::string& ipText) {
    std::string text;
    const auto line = [&text](bool shown, const std::string& value, const char* before,
                              const char* after) {
        if (shown && !value.empty())
            text += before + value + after + "\r\n";
    };
    line(settings.ShowWeatherText, WeatherText(report), "", "");
    line(settings.ShowSunInfo, SunText(report, formats), "", "");
    line(settings.ShowSituation, SituationText(report), "", "");
    line(settings.ShowWind, WindText(report), "", "");
    line(settings.ShowHumidity, report.Humidity, "Nem oranı: %", "");
    line(settings.ShowVisibility, VisibilityText(report.Visibility, formats),
         "Görüş mesafesi: ", "");
    line(settings.ShowChill, report.Chill, "Hissedilen sıcaklık: ", "°");
    line(settings.ShowDate, dateText, "", "");
    line(settings.ShowHijri, hijriText, "", "");
    line(settings.ShowIP, ipText, "IP: ", "");
    if (text.size() > 1 && text.back() == '\n')
        text.erase(text.size() - 2);
    return text;
}

std::string TrayHintText(TConnectionState state, const TWeatherReport& report) {
    if (state != cnReady)
        return std::string(ProgramName) + " - " + StatusText(state, report.CityName);
    std::string text;
    for (const std::string& part : {report.CityName, WeatherText(report), TempText(report)})
        if (!part.empty())
            text += part + ", ";
    if (text.size() > 1 && text[text.size() - 2] == ',')
        text.erase(text.size() - 2);
    return text.empty() ? std::string(ProgramName) : text + " - " + ProgramName;
}

} // namespace meltemix
