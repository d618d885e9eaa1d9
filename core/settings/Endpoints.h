#pragma once

#include "core/settings/SettingsFile.h"

#include <string>

namespace meltemix {

// Base addresses of the four online services, without a trailing slash. `Weather`,
// `Search` and `IP` may instead be "live": the built-in provider answers them from the
// upstream services below (see core/provider/DownloadPlan.h).
struct Endpoints {
    std::string Weather;
    std::string Search;
    std::string Maker;
    std::string IP;
    std::string ForecastApi;
    std::string GeocodingApi;
    std::string IpApi;
};

// Compiled-in defaults, overridden by the Endpoints section. The program never writes it.
Endpoints ReadEndpoints(const SettingsFile& file);

} // namespace meltemix
