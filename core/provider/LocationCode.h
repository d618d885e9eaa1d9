#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace meltemix {

// Places found by the world-wide search carry the code "GN" followed by the id the
// geocoding service gave them, so that the code alone is enough to ask for them again.
std::string GeoNamesCode(std::int64_t id);

// The id of such a code: "GN" and 1 to 12 digits without a leading zero, nothing else
// (no blanks, no sign, upper-case "GN" only). None for any other text.
std::optional<std::int64_t> GeoNamesIdOf(const std::string& code);

} // namespace meltemix
