#pragma once

#include "core/weather/DateTime.h"
#include "core/weather/LocaleSource.h"

#include <array>
#include <cstdint>
#include <string>

namespace meltemix {

// Month names, index 1..12, and weekday names, index 1 = Sunday .. 7 = Saturday, of the
// locale last loaded; empty until LoadLocaleNames runs. Process-wide, loaded once at start.
extern std::array<std::string, 13> LocaleMonthNames;
extern std::array<std::string, 8> LocaleDayNames;

// The platform's text of a locale item, or `fallback` when it has none.
std::string LocaleText(const LocaleSource& source, std::uint32_t lcid, std::uint32_t item,
                       const std::string& fallback);

// Fills the name tables from the locale; a name the platform leaves empty is the fixed
// Turkish one.
void LoadLocaleNames(const LocaleSource& source, std::uint32_t lcid);

// "7 Aralık 2026 Pazartesi": day, month name, year, weekday name; empty for a value outside
// the calendar.
std::string GregorianDateText(TDateTime value);

} // namespace meltemix
