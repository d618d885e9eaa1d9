#pragma once

#include <optional>
#include <string>

namespace meltemix {

// The number forms the feed is written in, independent of any locale: a dot before the
// decimals, a minus sign only before a value that is not zero once rounded. Halves are
// rounded away from zero. None for a value that is not finite or too large to be a
// reading of the weather (beyond ±1e9).
std::optional<std::string> WholeText(double value);                // "11", "-3", "0"
std::optional<std::string> FixedText(double value, int decimals); // "41.01", "-58.38"

} // namespace meltemix
