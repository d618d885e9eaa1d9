#include "core/weather/LocaleFormats.h"

#include "core/weather/LocaleNames.h"

namespace meltemix {
namespace {

bool IsFieldLetter(char c) {
    return c == 'h' || c == 'H' || c == 'm' || c == 's' || c == 't';
}

} // namespace

std::string WithoutSeconds(const std::string& timeFormat) {
    std::string result;
    bool hasHour = false;
    std::size_t i = 0;
    while (i < timeFormat.size()) {
        const char c = timeFormat[i];
        if (c == '\'') {
            const std::size_t end = timeFormat.find('\'', i + 1);
            const std::size_t stop = end == std::string::npos ? timeFormat.size() : end + 1;
            result.append(timeFormat, i, stop - i);
            i = stop;
        } else if (c == 's') {
            // Drop the separator written between the previous field and the seconds.
            std::size_t keep = result.size();
            while (keep > 0 && !IsFieldLetter(result[keep - 1]) && result[keep - 1] != '\'')
                --keep;
            result.erase(keep);
            while (i < timeFormat.size() && timeFormat[i] == 's')
                ++i;
        } else {
            hasHour = hasHour || c == 'h' || c == 'H';
            result += c;
            ++i;
        }
    }
    return hasHour ? result : std::string("HH:mm");
}

LocaleFormats LoadLocaleFormats(const LocaleSource& source, std::uint32_t lcid) {
    LocaleFormats formats;
    formats.DecimalSeparator =
        LocaleText(source, lcid, LocaleItem::DecimalSeparator, formats.DecimalSeparator);
    const std::string timeFormat = source.Text(lcid, LocaleItem::TimeFormat);
    if (!timeFormat.empty())
        formats.ShortTimeFormat = WithoutSeconds(timeFormat);
    formats.AmDesignator = LocaleText(source, lcid, LocaleItem::AmDesignator, formats.AmDesignator);
    formats.PmDesignator = LocaleText(source, lcid, LocaleItem::PmDesignator, formats.PmDesignator);
    return formats;
}

} // namespace meltemix
