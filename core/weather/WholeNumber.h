#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace meltemix {

// A code or a bearing of the feed read as a whole number, the way the program reads every
// integer: leading blanks, an optional sign, then decimal digits or hexadecimal digits
// after "$", "0x" or "0X", and nothing after them. Anything outside 32 bits, a fraction
// ("3.0") or a trailing blank is not a whole number.
std::optional<std::int32_t> ParseWholeNumber(const std::string& text);

} // namespace meltemix
