#include "core/text/WordCut.h"

#include "core/text/Utf8.h"

namespace meltemix {
namespace {
const char* const Ellipsis = "\xE2\x80\xA6"; // U+2026, one code unit
}

std::string CutAtWord(const std::string& text, std::size_t units) {
    if (TruncateUtf16Units(text, units).size() == text.size())
        return text;
    if (units == 0)
        return std::string();
    std::string kept = TruncateUtf16Units(text, units - 1);
    // The cut falls inside a word unless the next character is a blank.
    if (text[kept.size()] != ' ') {
        const std::size_t blank = kept.find_last_of(' ');
        if (blank != std::string::npos)
            kept.erase(blank);
    }
    while (!kept.empty() && (kept.back() == ' ' || kept.back() == ',' || kept.back() == '-'))
        kept.pop_back();
    return kept + Ellipsis;
}

} // namespace meltemix
