#include "core/provider/NumberText.h"

#include <cmath>
#include <cstdint>

namespace meltemix {
namespace {

constexpr double kLargest = 1e9;

std::int64_t Power10(int n) {
    std::int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace

std::optional<std::string> WholeText(double value) { return FixedText(value, 0); }

std::optional<std::string> FixedText(double value, int decimals) {
    if (!std::isfinite(value) || std::fabs(value) > kLargest || decimals < 0 || decimals > 6)
        return std::nullopt;
    const std::int64_t scale = Power10(decimals);
    // Away from zero on the magnitude, so that -0.5 and 0.5 round alike.
    const auto units = static_cast<std::int64_t>(std::floor(std::fabs(value) * scale + 0.5));
    std::string digits = std::to_string(units / scale);
    if (decimals > 0) {
        std::string fraction = std::to_string(units % scale);
        digits += '.' + std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') +
                  fraction;
    }
    return (value < 0 && units != 0 ? "-" : "") + digits;
}

} // namespace meltemix
