#include "core/text/TurkishText.h"

#include <vector>

namespace meltemix {
namespace {

constexpr char32_t Replacement = 0xFFFD;
constexpr char32_t DotlessI = 0x131;
constexpr char32_t DottedCapitalI = 0x130;

// Lenient: a byte that does not start a valid sequence stands for U+FFFD on its own, so
// that a damaged name still compares and folds without losing its other letters.
std::vector<char32_t> CodePoints(const std::string& text) {
    std::vector<char32_t> points;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t value = 0;
        if (lead < 0x80) {
            length = 1;
            value = lead;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            length = 2;
            value = lead & 0x1F;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            length = 3;
            value = lead & 0x0F;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            length = 4;
            value = lead & 0x07;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                valid = false;
            else
                value = (value << 6) | (next & 0x3F);
        }
        if (!valid) {
            points.push_back(Replacement);
            ++i;
            continue;
        }
        points.push_back(value);
        i += length;
    }
    return points;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Lower case of the Latin letters place names are written in; İ is left to the callers,
// which disagree about it.
char32_t LowerLatin(char32_t c) {
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    if (c == DottedCapitalI)
        return c;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c + 1 : c;
    if (c == 0x178)
        return 0xFF;
    return c;
}

// The Turkish alphabet, with q, w and x where the Latin alphabet has them.
constexpr char32_t Alphabet[] = {U'a', U'b', U'c', U'ç', U'd', U'e', U'f', U'g', U'ğ',
                                 U'h', U'ı', U'i', U'j', U'k', U'l', U'm', U'n', U'o',
                                 U'ö', U'p', U'q', U'r', U's', U'ş', U't', U'u', U'ü',
                                 U'v', U'w', U'x', U'y', U'z'};

struct Weight {
    char32_t primary;
    char32_t secondary;
};

// Accented letters foreign to the alphabet sort with their base letter.
char32_t BaseLetter(char32_t c) {
    switch (c) {
    case U'à': case U'á': case U'â': case U'ã': case U'ä': case U'å': return U'a';
    case U'è': case U'é': case U'ê': case U'ë': return U'e';
    case U'ì': case U'í': case U'î': case U'ï': return U'i';
    case U'ò': case U'ó': case U'ô': case U'õ': case U'ø': return U'o';
    case U'ù': case U'ú': case U'û': return U'u';
    case U'ñ': return U'n';
    case U'ý': case U'ÿ': return U'y';
    default: return c;
    }
}

constexpr char32_t LetterBase = 0x1000;  // above every blank, sign and digit of ASCII
constexpr char32_t OtherBase = 0x2000;   // everything else after the letters

Weight WeightOf(char32_t c) {
    if (c == U'I')
        c = DotlessI;
    else if (c == DottedCapitalI)
        c = U'i';
    else
        c = LowerLatin(c);
    const char32_t base = BaseLetter(c);
    for (std::size_t rank = 0; rank < sizeof Alphabet / sizeof Alphabet[0]; ++rank)
        if (Alphabet[rank] == base)
            return {LetterBase + static_cast<char32_t>(rank), base == c ? 0u : c};
    if (c < 0x80)
        return {c, 0};
    return {OtherBase + c, 0};
}

} // namespace

std::string FoldNameCase(const std::string& text) {
    std::string folded;
    folded.reserve(text.size());
    for (char32_t c : CodePoints(text)) {
        c = LowerLatin(c);
        if (c == DotlessI || c == DottedCapitalI)
            c = U'i';
        AppendUtf8(folded, c);
    }
    return folded;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return FoldNameCase(a) == FoldNameCase(b);
}

int CompareTurkish(const std::string& a, const std::string& b) {
    const std::vector<char32_t> left = CodePoints(a);
    const std::vector<char32_t> right = CodePoints(b);
    const std::size_t common = left.size() < right.size() ? left.size() : right.size();
    int secondary = 0;
    for (std::size_t i = 0; i < common; ++i) {
        const Weight l = WeightOf(left[i]);
        const Weight r = WeightOf(right[i]);
        if (l.primary != r.primary)
            return l.primary < r.primary ? -1 : 1;
        if (secondary == 0 && l.secondary != r.secondary)
            secondary = l.secondary < r.secondary ? -1 : 1;
    }
    if (left.size() != right.size())
        return left.size() < right.size() ? -1 : 1;
    return secondary;
}

} // namespace meltemix
