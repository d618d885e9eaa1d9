#pragma once

#include "core/weather/LocaleSource.h"

#include <array>

namespace meltemix {

// Month names as the Turkish locale gives them, index 1..12 (index 0 unused).
extern const std::array<const char*, 13> TurkishMonthNames;

// The Turkish locale as a fixed table, whatever locale is asked for: where the platform
// has no locale texts, and for the names the platform leaves empty.
class TurkishLocaleSource : public LocaleSource {
public:
    std::string Text(std::uint32_t lcid, std::uint32_t item) const override;
};

} // namespace meltemix
