#pragma once

#include "core/weather/ConnectionState.h"

#include <string>

namespace meltemix {

// What the face shows in place of the city while the feed is not ready; the city when it is.
std::string StatusText(TConnectionState state, const std::string& cityName);

// The IP line's value: the status while not ready, else the public address, or
// "Araştırılıyor..." while it is still unknown.
std::string IpText(TConnectionState state, const std::string& cityName,
                   const std::string& publicIp);

} // namespace meltemix
