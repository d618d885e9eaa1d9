#include "core/weather/FeedDates.h"

#include <cstdlib>
#include <string>

using namespace meltemix;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    SystemTime t;
    t.wMilliseconds = 7;
    const bool read = ReadFeedDate(text, t);
    if (read != !text.empty())
        std::abort();
    if (read && t.wMilliseconds != 0)
        std::abort(); // the record is reset before it is filled
    const int month = MonthFromName(text);
    const int day = DayFromName(text);
    if (month < -1 || month > 12 || month == 0 || day < -1 || day > 6)
        std::abort();
    return 0;
}
