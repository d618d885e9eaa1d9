#pragma once

#include "core/weather/LocaleFormats.h"

#include <optional>
#include <string>

namespace meltemix {

struct TimeOfDay {
    int Hour = 0;   // 0..23
    int Minute = 0; // 0..59
    int Second = 0; // 0..59
};

// Reads a time of day as the platform's time parser does: hours, then optionally ":"
// minutes and ":" seconds, with an "am"/"pm" marker (or the locale's designators) before
// or after, without regard to case; blanks may surround the parts. "6:47 am", "7:5 pm",
// "18:05", "7 PM". With a marker the hour must be 1..12. Anything else, or trailing text,
// is unreadable.
std::optional<TimeOfDay> ParseTimeOfDay(const std::string& text, const LocaleFormats& formats);

// Writes a time of day with a platform time picture: h/hh (12-hour), H/HH (24-hour),
// m/mm, s/ss, t/tt (designator, first letter / whole), text in single quotes as is.
std::string FormatTimeOfDay(const TimeOfDay& time, const LocaleFormats& formats,
                            const std::string& picture);

} // namespace meltemix
