#pragma once

#include <string>

namespace meltemix {

// A place the live provider can ask the weather of: what the feed names it and where it is.
// Texts are UTF-8; an empty region or country is simply not known.
struct Place {
    std::string Name;
    std::string Region;  // the first-level division: a Turkish province, a state
    std::string Country;
    double Latitude = 0;  // degrees, north positive
    double Longitude = 0; // degrees, east positive
};

} // namespace meltemix
