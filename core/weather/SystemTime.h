#pragma once

#include <cstdint>

namespace meltemix {

// The platform's date-time record, field for field, as the parsed form of feed dates and
// of Hijri dates. A name that is not recognised is stored as 65535.
struct SystemTime {
    std::uint16_t wYear = 0;
    std::uint16_t wMonth = 0;     // 1..12
    std::uint16_t wDayOfWeek = 0; // 0 = Sunday .. 6 = Saturday
    std::uint16_t wDay = 0;
    std::uint16_t wHour = 0;
    std::uint16_t wMinute = 0;
    std::uint16_t wSecond = 0;
    std::uint16_t wMilliseconds = 0;
};

} // namespace meltemix
