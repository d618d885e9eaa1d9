#include "core/weather/Hijri.h"

#include "core/weather/DateTime.h"

#include <string>

namespace meltemix {

const std::array<const char*, 13> HijriMonthNames = {{
    "",
    "Muharrem",
    "Safer",
    "Rebîü'l-evvel",
    "Rebîü'l-âhir",
    "Cemâziye'l-evvel",
    "Cemâziye'l-âhir",
    "Recep",
    "Şaban",
    "Ramazân",
    "Şevval",
    "Zil-ka'de",
    "Zil-hicce",
}};

const std::array<const char*, 7> TurkishDayNames = {
    {"Pazar", "Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi"}};

namespace {

constexpr std::int64_t CycleDays = 10631; // 30 years

bool IsHijriLeapYear(int yearOfCycle) { // 1..30
    switch (yearOfCycle) {
    case 2:
    case 5:
    case 7:
    case 10:
    case 13:
    case 16:
    case 18:
    case 21:
    case 24:
    case 26:
    case 29:
        return true;
    default:
        return false;
    }
}

} // namespace

std::int32_t ToHijri(const SystemTime& g, SystemTime& hijri) {
    if (!IsValidDate(g.wYear, g.wMonth, g.wDay) || g.wHour > 23 || g.wMinute > 59 ||
        g.wSecond > 59 || g.wMilliseconds > 999)
        return HijriInvalidDate;
    const std::int64_t days = DaysSinceEpoch(g.wYear, g.wMonth, g.wDay);
    std::int64_t n = days - DaysSinceEpoch(622, 7, 18); // days since 1 Muharram 1
    if (n < 0)
        return HijriInvalidDate;

    int year = static_cast<int>(n / CycleDays) * 30 + 1;
    n %= CycleDays;
    for (int y = 1;; ++y, ++year) {
        const int length = IsHijriLeapYear(y) ? 355 : 354;
        if (n < length)
            break;
        n -= length;
    }
    const bool leap = IsHijriLeapYear((year - 1) % 30 + 1);
    int month = 1;
    for (;; ++month) {
        // Odd months have 30 days, even months 29, the last one 30 in a leap year.
        const int length = (month % 2 == 1 || (month == 12 && leap)) ? 30 : 29;
        if (n < length)
            break;
        n -= length;
    }

    hijri = g;
    hijri.wYear = static_cast<std::uint16_t>(year);
    hijri.wMonth = static_cast<std::uint16_t>(month);
    hijri.wDay = static_cast<std::uint16_t>(n + 1);
    hijri.wDayOfWeek = static_cast<std::uint16_t>(WeekdayOfDays(days));
    return 0;
}

std::string FormatHijriDate(const SystemTime& hijri) {
    const char* month =
        hijri.wMonth >= 1 && hijri.wMonth <= 12 ? HijriMonthNames[hijri.wMonth] : "";
    const char* weekday = hijri.wDayOfWeek <= 6 ? TurkishDayNames[hijri.wDayOfWeek] : "";
    return std::to_string(hijri.wDay) + " " + month + " " + std::to_string(hijri.wYear) + " " +
           weekday;
}

} // namespace meltemix
