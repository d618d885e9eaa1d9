#pragma once

#include "core/weather/ConnectionState.h"
#include "core/settings/MainSettings.h"
#include "core/weather/DateTime.h"
#include "core/weather/LocaleFormats.h"
#include "core/weather/SystemTime.h"
#include "core/weather/WeatherReport.h"

#include <string>

namespace meltemix {

// The Turkish texts built from a report. An empty result means there is nothing to show.

// The condition's text ("Açık"); empty without a condition code.
std::string WeatherText(const TWeatherReport& report);

// "GD: 06:47, GB: 19:12" in the locale's short time format; empty when sunrise or sunset is
// missing or cannot be read as a time of day, and when the sunrise is 12:00 am or the
// sunset 11:59 pm, which stand for a sun that did not rise or does not set today.
std::string SunText(const TWeatherReport& report, const LocaleFormats& formats);

// "E: 41.01°, B: 28.95°" with the coordinates as the feed wrote them.
std::string SituationText(const TWeatherReport& report);

// "Rüzgar: Kuzey, 13 km/s", or "Rüzgar: Yok" for the speed "0" exactly. A bearing that is
// not a whole number leaves the compass word empty; the line is written all the same.
std::string WindText(const TWeatherReport& report);

// The compass sector of a bearing in whole degrees; empty for a negative bearing or one
// that is not a whole number.
std::string CompassName(const std::string& bearing);

// "9,99 km" (the feed gives hundredths of a kilometre), "Sınırsız" from 320 km; empty for a
// negative or unreadable value. The value is read in the locale's number format.
std::string VisibilityText(const std::string& visibility, const LocaleFormats& formats);

// The temperature followed by "°".
std::string TempText(const TWeatherReport& report);

// The date lines, fixed when a report arrives: empty unless the state is ready.
std::string DateText(TConnectionState state, TDateTime now);
std::string HijriText(TConnectionState state, const SystemTime& now);

// The details text: one line per setting that is on and has a value, in a fixed order,
// lines separated by "\r\n".
std::string InfoText(const TWeatherReport& report, const MainSettings& settings,
                     const LocaleFormats& formats, const std::string& dateText,
                     const std::string& hijriText, const std::string& ipText);

// The tray icon's tool tip: "Istanbul, Açık, 21° - Meltemix!" when ready, else
// "Meltemix! - " and the status.
std::string TrayHintText(TConnectionState state, const TWeatherReport& report);

} // namespace meltemix
