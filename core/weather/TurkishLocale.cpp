#include "core/weather/TurkishLocale.h"

#include "core/weather/Hijri.h"

namespace meltemix {

const std::array<const char*, 13> TurkishMonthNames = {{
    "",
    "Ocak",
    "Şubat",
    "Mart",
    "Nisan",
    "Mayıs",
    "Haziran",
    "Temmuz",
    "Ağustos",
    "Eylül",
    "Ekim",
    "Kasım",
    "Aralık",
}};

std::string TurkishLocaleSource::Text(std::uint32_t, std::uint32_t item) const {
    if (item >= LocaleItem::JanuaryName && item < LocaleItem::JanuaryName + 12)
        return TurkishMonthNames[item - LocaleItem::JanuaryName + 1];
    if (item >= LocaleItem::MondayName && item < LocaleItem::MondayName + 7)
        return TurkishDayNames[(item - LocaleItem::MondayName + 1) % 7];
    switch (item) {
    case LocaleItem::DecimalSeparator:
        return ",";
    case LocaleItem::TimeFormat:
        return "HH:mm:ss";
    case LocaleItem::AmDesignator:
        return "ÖÖ";
    case LocaleItem::PmDesignator:
        return "ÖS";
    default:
        return std::string();
    }
}

} // namespace meltemix
