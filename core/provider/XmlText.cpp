#include "core/provider/XmlText.h"

namespace meltemix {

std::string XmlEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '&': out += "&amp;"; continue;
        case '<': out += "&lt;"; continue;
        case '>': out += "&gt;"; continue;
        case '"': out += "&quot;"; continue;
        case '\'': out += "&apos;"; continue;
        case '\t':
        case '\n':
        case '\r': out += ' '; continue;
        default: break;
        }
        if (byte < 0x20 || byte == 0x7F)
            continue;
        // U+FFFE and U+FFFF: EF BF BE, EF BF BF.
        if (byte == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
            (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE) {
            i += 2;
            continue;
        }
        out += c;
    }
    return out;
}

} // namespace meltemix
