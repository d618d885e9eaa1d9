#include "core/weather/FeedDates.h"
#include "core/weather/FeedParser.h"

#include <cstdlib>
#include <string>

using namespace meltemix;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    SystemTime t;
    if (ReadServerTime(text, t) != !text.empty())
        std::abort();
    // The same text as a feed's trailing comment, through the flag check.
    TWeatherReport report;
    report.LastBuildDate = text;
    CheckDaysBehind(report, text);
    const std::string cut = ServerTimeText(text);
    if (cut.size() > text.size())
        std::abort();
    return 0;
}
