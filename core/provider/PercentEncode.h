#pragma once

#include <string>

namespace meltemix {

// A query value as the upstream services expect it: every byte of the UTF-8 text except
// ASCII letters, digits and "-._~" written as "%XX" (upper-case hex). A blank is "%20".
std::string PercentEncoded(const std::string& text);

} // namespace meltemix
