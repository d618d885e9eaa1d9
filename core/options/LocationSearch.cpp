#include "core/options/LocationSearch.h"

#include "core/text/Decode.h"

namespace meltemix {

PlaceList ReadSearchResults(const std::string& bytes, const XmlDocumentFactory& createDocument) {
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
