#include "core/text/Utf8.h"

namespace meltemix {

std::string TruncateUtf16Units(const std::string& text, std::size_t units) {
    std::size_t used = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (lead >= 0xF0)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        const std::size_t cost = length == 4 ? 2 : 1; // outside the BMP: a surrogate pair
        if (used + cost > units)
            break;
        used += cost;
        i += length;
    }
    return text.substr(0, i < text.size() ? i : text.size());
}

} // namespace meltemix
