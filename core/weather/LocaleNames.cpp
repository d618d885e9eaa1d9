#include "core/weather/LocaleNames.h"

#include "core/weather/TurkishLocale.h"

namespace meltemix {

std::array<std::string, 13> LocaleMonthNames;
std::array<std::string, 8> LocaleDayNames;

std::string LocaleText(const LocaleSource& source, std::uint32_t lcid, std::uint32_t item,
                       const std::string& fallback) {
    std::string text = source.Text(lcid, item);
    return text.empty() ? fallback : text;
}

void LoadLocaleNames(const LocaleSource& source, std::uint32_t lcid) {
    const TurkishLocaleSource turkish;
    for (std::uint32_t m = 1; m <= 12; ++m) {
        const std::uint32_t item = LocaleItem::JanuaryName - 1 + m;
        LocaleMonthNames[m] = LocaleText(source, lcid, item, turkish.Text(lcid, item));
    }
    for (std::uint32_t d = 1; d <= 7; ++d) {
        // The platform counts from Monday, the tables from Sunday.
        const std::uint32_t item = (d + 5) % 7 + LocaleItem::MondayName;
        LocaleDayNames[d] = LocaleText(source, lcid, item, turkish.Text(lcid, item));
    }
}

std::string GregorianDateText(TDateTime value) {
    const auto t = DecodeDateTime(value);
    if (!t)
        return std::string();
    return std::to_string(t->wDay) + " " + LocaleMonthNames[t->wMonth] + " " +
           std::to_string(t->wYear) + " " + LocaleDayNames[t->wDayOfWeek + 1u];
}

} // namespace meltemix
