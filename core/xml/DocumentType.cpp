#include "core/xml/DocumentType.h"

namespace meltemix {
namespace {

bool At(const std::string& text, std::size_t pos, const char* s) {
    return text.compare(pos, std::char_traits<char>::length(s), s) == 0;
}

} // namespace

bool DeclaresDocumentType(const std::string& text) {
    std::size_t pos = 0;
    for (;;) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' ||
                                     text[pos] == '\n'))
            ++pos;
        const char* end = At(text, pos, "<?") ? "?>" : At(text, pos, "<!--") ? "-->" : nullptr;
        if (!end)
            break;
        const std::size_t found = text.find(end, pos + 2);
        if (found == std::string::npos)
            return false;
        pos = found + std::char_traits<char>::length(end);
    }
    // Only a document type declaration begins with "<!" here; any spelling of it counts.
    return At(text, pos, "<!");
}

} // namespace meltemix
