#pragma once

#include "core/weather/SystemTime.h"

#include <cstdint>
#include <optional>

namespace meltemix {

// A local date-time (no time zone) as a number of days since 30 December 1899, the fraction
// being the time of day. The moon's phase is measured as a difference of such values, so
// this is the form the moon and the date texts take.
using TDateTime = double;

constexpr double MSecsPerDay = 86400000.0;

// Whether the fields name a real day of the proleptic Gregorian calendar, years 1..9999.
bool IsValidDate(int year, int month, int day);

// Days from 30 December 1899 to the given valid date (negative before it).
std::int64_t DaysSinceEpoch(int year, int month, int day);

// Weekday of a day count, 0 = Sunday .. 6 = Saturday.
int WeekdayOfDays(std::int64_t days);

// The date-time of a record; none when the date or the time of day is not valid. The
// record's weekday is ignored.
std::optional<TDateTime> EncodeDateTime(const SystemTime& time);

// The record of a date-time, weekday included, to the nearest millisecond; none outside
// years 1..9999 or for a value that is not finite.
std::optional<SystemTime> DecodeDateTime(TDateTime value);

} // namespace meltemix
