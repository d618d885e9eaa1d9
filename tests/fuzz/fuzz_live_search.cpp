// Any geocoding answer either is no search answer or gives a document that the search
// page loads, with one "/search/loc" per place found.
#include "core/provider/GeocodingAnswer.h"
#include "core/text/Decode.h"
#include "native/pugi/PugiXmlDocument.h"

#include <string>

using namespace meltemix;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string answer(reinterpret_cast<const char*>(data), size);
    ReadPlaceAnswer(answer);
    const auto places = ReadSearchAnswer(answer);
    if (!places)
        return 0;
    auto dom = CreatePugiXmlDocument();
    if (!dom->loadXml(DecodeDocument(SearchDocument(*places))))
        __builtin_trap();
    const XmlNodeListPtr list = dom->documentElement()->selectNodes("/search/loc");
    if ((list ? list->length() : 0) != static_cast<long>(places->size()))
        __builtin_trap();
    return 0;
}
