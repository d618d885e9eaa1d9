#pragma once

#include "core/weather/SystemTime.h"

#include <cstdint>
#include <string>

namespace meltemix {

// The feed's English names, matched without regard to case: 1..12 for "Jan".."Dec",
// 0..6 for "Sun".."Sat", -1 for anything else ("December" is not a month name).
int MonthFromName(const std::string& name);
int DayFromName(const std::string& name);

// A feed date such as "Mon, 07 Dec 2026 5:50 pm EET": weekday, day, month, year,
// hour:minute and the am/pm marker, read onto the twelve-hour clock. Fields the text does
// not supply stay 0, an unknown name gives 65535. An empty text gives false and leaves
// `out` untouched. Numbers too large for the record's 16 bits read as 65535.
bool ReadFeedDate(const std::string& text, SystemTime& out);

// The server's clock as its comment writes it, "Mon Dec 7 06:21:12 PST 2026": weekday,
// month, day, hh:mm:ss, an optional zone name, year. Same rules as ReadFeedDate.
bool ReadServerTime(const std::string& text, SystemTime& out);

// hour + 1, with 23 becoming 0; the day is not touched.
void NextHour(std::uint16_t& hour);

} // namespace meltemix
