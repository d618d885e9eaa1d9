#pragma once

#include "core/weather/SystemTime.h"

#include <array>
#include <cstdint>
#include <string>

namespace meltemix {

// Turkish names of the Hijri months, index 1..12 (index 0 is unused).
extern const std::array<const char*, 13> HijriMonthNames;
// Turkish weekday names, index 0 = Sunday .. 6 = Saturday.
extern const std::array<const char*, 7> TurkishDayNames;

// The status of a Gregorian date that cannot be converted (the platform's E_INVALIDARG).
constexpr std::int32_t HijriInvalidDate = static_cast<std::int32_t>(0x80070057u);

// Converts a Gregorian date-time to the arithmetic (tabular) Islamic calendar: 30-year
// cycles with leap years 2, 5, 7, 10, 13, 16, 18, 21, 24, 26 and 29, day 1 being 18 July
// 622. The weekday is that of the Gregorian day (whatever `gregorian.wDayOfWeek` says) and
// the time of day is carried over. Returns 0 on success; HijriInvalidDate, leaving `hijri`
// untouched, for a date that does not exist, lies before 18 July 622 or after 9999, or a
// time of day out of range.
std::int32_t ToHijri(const SystemTime& gregorian, SystemTime& hijri);

// "27 Cemâziye'l-âhir 1448 Pazartesi": day, month name, year, Turkish weekday. A month or
// weekday out of range leaves its word empty.
std::string FormatHijriDate(const SystemTime& hijri);

} // namespace meltemix
