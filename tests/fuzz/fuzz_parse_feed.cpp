#include "core/text/Decode.h"
#include "core/weather/FeedParser.h"
#include "core/xml/XmlNamespaces.h"
#include "native/pugi/PugiXmlDocument.h"

#include <string>

using namespace meltemix;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string feed = DecodeDocument(std::string(reinterpret_cast<const char*>(data), size));
    TWeatherReport report;
    report.CityName = "Istanbul";
    ClearReport(report);
    ParseFeed(report, feed, CreatePugiXmlDocument);
    CheckDaysBehind(report, feed);
    DeclaresEveryPrefix(feed);
    return 0;
}
