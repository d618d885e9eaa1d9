#include "core/options/LocationSearch.h"

#include "core/text/Decode.h"

namespace meltemix {

std::string PercentEncode(const std::string& text) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved) {
            encoded += ch;
        } else {
            encoded += '%';
            encoded += Hex[c >> 4];
            encoded += Hex[c & 0x0F];
        }
    }
    return encoded;
}

std::string SearchAddress(const std::string& base, const std::string& text) {
    return base + "/search/search?where=" + PercentEncode(text);
}

PlaceList ReadSearchAnswer(const std::string& bytes, const XmlDocumentFactory& createDocument) {
    PlaceList places;
    const auto document = createDocument();
    if (!document->loadXml(DecodeDocument(bytes)))
        return places;
    const XmlNodePtr root = document->documentElement();
    if (!root)
        return places;
    const XmlNodeListPtr locs = root->selectNodes("/search/loc");
    if (!locs)
        return places;
    for (long i = 0; i < locs->length(); ++i) {
        const XmlNodePtr loc = locs->item(i);
        if (!loc)
            continue;
        std::optional<std::string> code = AttributeText(*loc, "id");
        if (!code)
            continue;
        places.push_back({loc->text(), std::move(*code)});
    }
    return places;
}

std::string SearchCountText(int count) {
    if (count < 1)
        return "Herhangi bir yer bulunamadı.";
    return std::to_string(count) + " yer bulundu.";
}

} // namespace meltemix
