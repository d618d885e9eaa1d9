#include "core/provider/LocationCode.h"

namespace meltemix {

std::string GeoNamesCode(std::int64_t id) { return "GN" + std::to_string(id); }

std::optional<std::int64_t> GeoNamesIdOf(const std::string& code) {
    // One spelling per place: the code is also the key under which the place is cached.
    constexpr std::size_t kMaxDigits = 12;
    if (code.size() < 3 || code.size() > 2 + kMaxDigits || code.compare(0, 2, "GN") != 0 ||
        code[2] == '0')
        return std::nullopt;
    std::int64_t id = 0;
    for (std::size_t i = 2; i < code.size(); ++i) {
        if (code[i] < '0' || code[i] > '9')
            return std::nullopt;
        id = id * 10 + (code[i] - '0');
    }
    return id;
}

} // namespace meltemix
