#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace meltemix {

// A local date and time of the place, as the forecast service writes it: days since
// 30 December 1899 (the day count of core/weather/DateTime.h) and minutes since midnight.
struct LocalDateTime {
    std::int64_t Days = 0;
    int Minutes = 0; // 0..1439
};

// "2026-12-08": exactly that form, a real date of the years 1..9999.
std::optional<std::int64_t> ReadIsoDate(const std::string& text);

// "2026-12-08T16:45", optionally with ":SS" (the seconds are dropped).
std::optional<LocalDateTime> ReadIsoDateTime(const std::string& text);

// The feed's forms of a date and time, English names as the feed reader expects them.
// A zone text is added after a blank when there is one.
std::string FeedDateText(const LocalDateTime& time, const std::string& zone); // "Tue, 08 Dec 2026 4:45 pm EET"
std::string FeedClockText(int minutes);                  // "7:14 am", "12:05 pm", "12:30 am"
std::string ForecastDateText(std::int64_t days);         // "8 Dec 2026"
std::string DayAbbrevText(std::int64_t days);            // "Tue"
std::string ServerClockText(const LocalDateTime& time, const std::string& zone); // "Tue Dec 8 16:45:00 EET 2026"

} // namespace meltemix
