#pragma once

#include <optional>
#include <string>

namespace meltemix {

// Reads a decimal number written in the user's locale: blanks around it, an optional sign,
// digits with at most one decimal separator (the locale's, and only it) and an optional
// exponent ("E" or "e", optional sign, digits). No group separators. "12,5" is 12.5 with
// the separator ","; with "." it is unreadable, as is "10.5" with ",". A value too large
// for a double is unreadable too.
std::optional<double> ParseLocaleDecimal(const std::string& text, const std::string& separator);

} // namespace meltemix
