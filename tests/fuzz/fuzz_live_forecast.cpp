// Any forecast answer either gives no document or a feed the parser reads, with every
// prefix declared, that is never a day behind.
#include "core/provider/ForecastFeed.h"
#include "core/text/Decode.h"
#include "core/weather/FeedParser.h"
#include "core/xml/XmlNamespaces.h"
#include "native/pugi/PugiXmlDocument.h"

#include <string>

using namespace meltemix;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string answer(reinterpret_cast<const char*>(data), size);
    const Place place{"İstanbul & <Çevresi>", "İstanbul", "Türkiye", -41.01384, 28.94966};
    const auto document = ForecastToFeed(answer, place);
    if (!document)
        return 0;
    const std::string feed = DecodeDocument(*document);
    auto dom = CreatePugiXmlDocument();
    if (!dom->loadXml(feed) || !DeclaresEveryPrefix(feed))
        __builtin_trap();
    TWeatherReport report;
    ParseFeed(report, feed, CreatePugiXmlDocument);
    CheckDaysBehind(report, feed);
    if (report.CityName != place.Name || report.DaysBehind)
        __builtin_trap();
    return 0;
}
