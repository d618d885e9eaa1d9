#include "core/weather/Moon.h"

#include <cmath>
#include <cstdint>

namespace meltemix {
namespace {

constexpr double LunationMs = 2551442861.088; // 29.53058867 days
constexpr double PercentToIndex = 0.279;

// 25 June 2006, 18:05:00.000 local time, a new moon.
TDateTime ReferenceNewMoon() {
    return static_cast<double>(DaysSinceEpoch(2006, 6, 25)) +
           (18 * 3600000.0 + 5 * 60000.0) / MSecsPerDay;
}

double RoundHalfToEven(double x) {
    const double lower = std::floor(x);
    const double rest = x - lower;
    if (rest > 0.5)
        return lower + 1;
    if (rest < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

} // namespace

int MoonPhasePercent(TDateTime moment) {
    if (!DecodeDateTime(moment))
        return 0; // also keeps the millisecond count inside 64 bits
    const double span = std::fabs(moment - ReferenceNewMoon());
    const auto ms = static_cast<std::int64_t>(span * MSecsPerDay);
    double c = static_cast<double>(ms) / LunationMs * 100;
    // Repeated subtraction rather than a remainder: the rounding of each step is part of
    // the result. At most about 10^5 steps within the calendar's range.
    while (c > 100)
        c = c - 100;
    if (c < 0)
        c = 50;
    if (c == 0)
        c = 100;
    return static_cast<int>(c);
}

int MoonIndexOfPercent(int percent) {
    return static_cast<int>(RoundHalfToEven(percent * PercentToIndex));
}

int MoonIndex(TDateTime today) {
    return MoonIndexOfPercent(MoonPhasePercent(std::trunc(today)));
}

} // namespace meltemix
