#pragma once

#include "core/weather/LocaleSource.h"

namespace meltemix {

// Locale texts from GetLocaleInfoW.
class Win32LocaleSource : public LocaleSource {
public:
    std::string Text(std::uint32_t lcid, std::uint32_t item) const override;
};

} // namespace meltemix
