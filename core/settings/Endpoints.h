#pragma once

#include "core/settings/SettingsFile.h"

#include <string>

namespace meltemix {

// Base addresses of the four online services, without a trailing slash.
struct Endpoints {
    std::string Weather;
    std::string Search;
    std::string Maker;
    std::string IP;
};

// Compiled-in defaults, overridden by the Endpoints section. The program never writes it.
Endpoints ReadEndpoints(const SettingsFile& file);

} // namespace meltemix
