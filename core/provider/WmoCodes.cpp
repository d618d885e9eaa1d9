#include "core/provider/WmoCodes.h"

#include "core/weather/ConditionTable.h"

namespace meltemix {

int ConditionCodeForWmo(std::optional<std::int64_t> wmo, bool day) {
    if (!wmo)
        return NotAvailableCode;
    switch (*wmo) {
    case 0: return day ? 32 : 31;  // clear: sunny / clear night
    case 1: return day ? 34 : 33;  // mainly clear: fair
    case 2: return day ? 30 : 29;  // partly cloudy
    case 3: return 26;             // overcast: cloudy
    case 45:
    case 48: return 20;            // fog, rime fog: foggy
    case 51:
    case 53:
    case 55: return 9;             // drizzle
    case 56:
    case 57: return 8;             // freezing drizzle
    case 61: return 11;            // slight rain: showers
    case 63:
    case 65: return 12;            // moderate, heavy rain
    case 66:
    case 67: return 10;            // freezing rain
    case 71: return 14;            // slight snow: light snow showers
    case 73: return 16;            // moderate snow: snow
    case 75: return 41;            // heavy snow
    case 77: return 16;            // snow grains: snow (13, flurries, reads "Sert Rüzgarlı")
    case 80: return 40;            // slight rain showers: scattered showers
    case 81: return 11;            // moderate rain showers
    case 82: return 12;            // violent rain showers
    case 85: return 14;            // slight snow showers
    case 86: return 46;            // heavy snow showers
    case 95: return 4;             // thunderstorm
    case 96:
    case 99: return 3;             // thunderstorm with hail: severe thunderstorms
    default: return NotAvailableCode;
    }
}

} // namespace meltemix
