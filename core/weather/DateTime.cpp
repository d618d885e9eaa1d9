#include "core/weather/DateTime.h"

#include <cmath>

namespace meltemix {
namespace {

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days from 1 January 1970 of the proleptic Gregorian calendar (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

constexpr std::int64_t UnixToEpochDays = 25569; // 1970-01-01 is day 25569

} // namespace

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

std::int64_t DaysSinceEpoch(int year, int month, int day) {
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
           UnixToEpochDays;
}

int WeekdayOfDays(std::int64_t days) {
    // Day 0, 30 December 1899, was a Saturday.
    return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

std::optional<TDateTime> EncodeDateTime(const SystemTime& t) {
    if (!IsValidDate(t.wYear, t.wMonth, t.wDay) || t.wHour > 23 || t.wMinute > 59 ||
        t.wSecond > 59 || t.wMilliseconds > 999)
        return std::nullopt;
    const double date = static_cast<double>(DaysSinceEpoch(t.wYear, t.wMonth, t.wDay));
    const double time =
        (t.wHour * 3600000.0 + t.wMinute * 60000.0 + t.wSecond * 1000.0 + t.wMilliseconds) /
        MSecsPerDay;
    // Before the epoch the time of day still counts forwards from midnight, as the
    // platform's dates do: the fraction's sign follows the date's.
    return date >= 0 ? date + time : date - time;
}

std::optional<SystemTime> DecodeDateTime(TDateTime value) {
    const double lowest = static_cast<double>(DaysSinceEpoch(1, 1, 1)) - 1;
    const double highest = static_cast<double>(DaysSinceEpoch(9999, 12, 31)) + 1;
    if (!std::isfinite(value) || value <= lowest || value >= highest)
        return std::nullopt;
    const auto total = static_cast<std::int64_t>(std::llround(value * MSecsPerDay));
    const std::int64_t msPerDay = 86400000;
    const std::int64_t days = total / msPerDay; // towards zero, as the fraction is unsigned
    std::int64_t ms = (total < 0 ? -total : total) % msPerDay;
    int year, month, day;
    CivilFromDays(days - UnixToEpochDays, year, month, day);
    if (!IsValidDate(year, month, day))
        return std::nullopt;
    SystemTime t;
    t.wYear = static_cast<std::uint16_t>(year);
    t.wMonth = static_cast<std::uint16_t>(month);
    t.wDay = static_cast<std::uint16_t>(day);
    t.wDayOfWeek = static_cast<std::uint16_t>(WeekdayOfDays(days));
    t.wHour = static_cast<std::uint16_t>(ms / 3600000);
    ms %= 3600000;
    t.wMinute = static_cast<std::uint16_t>(ms / 60000);
    ms %= 60000;
    t.wSecond = static_cast<std::uint16_t>(ms / 1000);
    t.wMilliseconds = static_cast<std::uint16_t>(ms % 1000);
    return t;
}

} // namespace meltemix
