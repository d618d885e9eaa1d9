#pragma once

#include <cstddef>
#include <string>

namespace meltemix {

// Cuts a UTF-8 text after at most `units` UTF-16 code units, never inside a character.
std::string TruncateUtf16Units(const std::string& text, std::size_t units);

} // namespace meltemix
