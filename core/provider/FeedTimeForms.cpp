#include "core/provider/FeedTimeForms.h"

#include "core/weather/DateTime.h"

#include <cmath>

namespace meltemix {
namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// Reads `count` decimal digits at `at`; none when any of them is not a digit.
std::optional<int> Digits(const std::string& text, std::size_t at, std::size_t count) {
    if (at + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<std::int64_t> ReadDatePart(const std::string& text) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    if (!year || !month || !day || !IsValidDate(*year, *month, *day))
        return std::nullopt;
    return DaysSinceEpoch(*year, *month, *day);
}

struct Date {
    int Year, Month, Day;
};

Date DateOf(std::int64_t days) {
    const auto record = DecodeDateTime(static_cast<double>(days));
    if (!record)
        return {0, 1, 1};
    return {record->wYear, record->wMonth, record->wDay};
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string WithZone(std::string text, const std::string& zone) {
    return zone.empty() ? text : text + ' ' + zone;
}

} // namespace

std::optional<std::int64_t> ReadIsoDate(const std::string& text) {
    if (text.size() != 10)
        return std::nullopt;
    return ReadDatePart(text);
}

std::optional<LocalDateTime> ReadIsoDateTime(const std::string& text) {
    if (text.size() != 16 && text.size() != 19)
        return std::nullopt;
    const auto days = ReadDatePart(text);
    if (!days || text[10] != 'T' || text[13] != ':')
        return std::nullopt;
    const auto hour = Digits(text, 11, 2), minute = Digits(text, 14, 2);
    if (!hour || !minute || *hour > 23 || *minute > 59)
        return std::nullopt;
    if (text.size() == 19) {
        const auto second = Digits(text, 17, 2);
        if (text[16] != ':' || !second || *second > 59)
            return std::nullopt;
    }
    return LocalDateTime{*days, *hour * 60 + *minute};
}

std::string FeedDateText(const LocalDateTime& time, const std::string& zone) {
    const Date date = DateOf(time.Days);
    return WithZone(DayAbbrevText(time.Days) + ", " + TwoDigits(date.Day) + ' ' +
                        kMonths[date.Month - 1] + ' ' + std::to_string(date.Year) + ' ' +
                        FeedClockText(time.Minutes),
                    zone);
}

std::string FeedClockText(int minutes) {
    const int hour = minutes / 60 % 24;
    const int twelve = hour % 12 == 0 ? 12 : hour % 12;
    return std::to_string(twelve) + ':' + TwoDigits(minutes % 60) + (hour < 12 ? " am" : " pm");
}

std::string ForecastDateText(std::int64_t days) {
    const Date date = DateOf(days);
    return std::to_string(date.Day) + ' ' + kMonths[date.Month - 1] + ' ' +
           std::to_string(date.Year);
}

std::string DayAbbrevText(std::int64_t days) { return kDays[WeekdayOfDays(days)]; }

std::string ServerClockText(const LocalDateTime& time, const std::string& zone) {
    const Date date = DateOf(time.Days);
    return WithZone(DayAbbrevText(time.Days) + ' ' + kMonths[date.Month - 1] + ' ' +
                        std::to_string(date.Day) + ' ' + TwoDigits(time.Minutes / 60) + ':' +
                        TwoDigits(time.Minutes % 60) + ":00",
                    zone) +
           ' ' + std::to_string(date.Year);
}

} // namespace meltemix
