#pragma once

#include "core/weather/LocaleSource.h"

#include <cstdint>
#include <string>

namespace meltemix {

// The number and time formats the texts are written in; the defaults are the Turkish ones.
struct LocaleFormats {
    std::string DecimalSeparator = ",";
    std::string ShortTimeFormat = "HH:mm"; // platform picture: h, hh, H, HH, m, mm, t, tt
    std::string AmDesignator = "ÖÖ";
    std::string PmDesignator = "ÖS";
};

// The locale's formats; whatever the platform leaves empty keeps the Turkish default. The
// short time format is the locale's time format without its seconds.
LocaleFormats LoadLocaleFormats(const LocaleSource& source, std::uint32_t lcid);

// A time picture without its seconds field and the separator before it ("HH:mm:ss" ->
// "HH:mm", "h:mm:ss tt" -> "h:mm tt"); "HH:mm" when no hour field would remain.
std::string WithoutSeconds(const std::string& timeFormat);

} // namespace meltemix
