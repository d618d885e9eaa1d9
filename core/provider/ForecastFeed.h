#pragma once

#include "core/provider/Place.h"

#include <optional>
#include <string>

namespace meltemix {

// The feed document for an answer of the forecast service about `place`: the elements,
// attributes and text forms the feed parser reads, so that nothing downstream of the
// download can tell the difference.
//
// - The observation time of the current values is the build date, the condition date and
//   the server clock of the trailing comment; the comment's clock is never behind the build
//   date, so a fresh document never moves the weekday labels on (DaysBehind).
// - Forecast days start with the place's today (the date of the observation time), up to
//   five; days before it are left out. Without an observation time they start with the
//   first day of the answer. Sunrise and sunset are today's; one dated before today is
//   12:00 am, one dated after it 11:59 pm (a sunset after midnight, polar day).
// - Temperatures, wind speed and bearing, humidity and visibility are whole numbers,
//   rounded half away from zero; wind in km/h, visibility in hundredths of a kilometre.
// - A value the answer lacks (missing or null) leaves its attribute out; an element left
//   without attributes is left out. A missing weather code is 3200.
//
// None when the answer is not a forecast: not JSON, not an object, an error answer
// ("error": true), or without both the "current" and the "daily" values.
std::optional<std::string> ForecastToFeed(const std::string& answer, const Place& place);

// The coordinates an answer gives ("latitude", "longitude"), as a place without a name;
// none when it gives no numbers on the globe.
std::optional<Place> ForecastAnswerPlace(const std::string& answer);

} // namespace meltemix
