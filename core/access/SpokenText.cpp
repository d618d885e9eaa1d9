#include "core/access/SpokenText.h"

#include <cstddef>

namespace meltemix {
namespace {

const std::string Degree = "\xC2\xB0"; // U+00B0 in UTF-8

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLetterOrDigit(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || u >= 0x80;
}

// The end of the run of digits that starts at `i`.
std::size_t DigitsEnd(const std::string& text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

// Whether the point at `i` joins two numbers and only two: "40.97", but not "192.168.1.1".
bool IsDecimalPoint(const std::string& text, std::size_t i) {
    if (i == 0 || i + 1 >= text.size() || !IsDigit(text[i - 1]) || !IsDigit(text[i + 1]))
        return false;
    std::size_t start = i - 1;
    while (start > 0 && IsDigit(text[start - 1]))
        --start;
    if (start > 0 && text[start - 1] == '.')
        return false;
    const std::size_t end = DigitsEnd(text, i + 1);
    return !(end + 1 < text.size() && text[end] == '.' && IsDigit(text[end + 1]));
}

} // namespace

std::string SpokenText(const std::string& text) {
    std::string spoken;
    spoken.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool numberFollows = i + 1 < text.size() && IsDigit(text[i + 1]);
        const bool wordBefore = i > 0 && IsLetterOrDigit(text[i - 1]);
        if (c == '-' && numberFollows && !wordBefore) {
            spoken += "eksi ";
        } else if (c == '%' && numberFollows) {
            spoken += "yüzde ";
        } else if (c == '.' && IsDecimalPoint(text, i)) {
            spoken += " virgül ";
        } else if (text.compare(i, Degree.size(), Degree) == 0) {
            if (!spoken.empty() && spoken.back() != ' ')
                spoken += ' ';
            spoken += "derece";
            i += Degree.size() - 1;
        } else {
            spoken += c;
        }
    }
    return spoken;
}

} // namespace meltemix
