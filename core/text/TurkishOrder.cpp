#include "core/text/TurkishOrder.h"

#include <cstdint>
#include <vector>

namespace meltemix {
namespace {

// The next code point of a UTF-8 text; a stray byte stands for itself.
char32_t next(const std::string& text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? lead & 0x07 : extra == 2 ? lead & 0x0F : extra == 1 ? lead & 0x1F : lead;
    while (extra-- > 0 && i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
        cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    return cp;
}

// Lower-case Turkish alphabet with q, w and x where the Latin alphabet has them.
const char32_t Alphabet[] = {U'a', U'b', U'c', U'ç', U'd', U'e', U'f', U'g', U'ğ', U'h',
                             U'ı', U'i', U'j', U'k', U'l', U'm', U'n', U'o', U'ö', U'p',
                             U'q', U'r', U's', U'ş', U't', U'u', U'ü', U'v', U'w', U'x',
                             U'y', U'z'};

char32_t fold(char32_t c) {
    switch (c) {
    case U'I': return U'ı';
    case U'İ': return U'i';
    case U'Ç': return U'ç';
    case U'Ğ': return U'ğ';
    case U'Ö': return U'ö';
    case U'Ş': return U'ş';
    case U'Ü': return U'ü';
    case U'â': case U'Â': return U'a';
    case U'î': case U'Î': return U'i';
    case U'û': case U'Û': return U'u';
    default: return (c >= U'A' && c <= U'Z') ? c - U'A' + U'a' : c;
    }
}

std::uint32_t rank(char32_t c) {
    c = fold(c);
    for (std::uint32_t i = 0; i < sizeof Alphabet / sizeof Alphabet[0]; ++i)
        if (Alphabet[i] == c)
            return 0x110000 + i;
    return c < 0x80 ? c : 0x120000 + c;
}

} // namespace

bool TurkishLessIgnoringCase(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const std::uint32_t x = rank(next(a, i)), y = rank(next(b, j));
        if (x != y)
            return x < y;
    }
    return i == a.size() && j < b.size();
}

} // namespace meltemix
