#include "core/weather/DayAbbrevs.h"

namespace meltemix {

const std::array<const char*, 7> DayAbbrevs = {{"PAZ", "PZT", "SAL", "ÇRŞ", "PRŞ", "CUM", "CMT"}};
const std::array<const char*, 7> EnglishDayAbbrevs = {
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}};

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(const std::string& a, const char* b) {
    const std::string other(b);
    if (a.size() != other.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(other[i]))
            return false;
    return true;
}

int EnglishDayIndex(const std::string& englishDay) {
    for (std::size_t i = 0; i < EnglishDayAbbrevs.size(); ++i)
        if (SameIgnoringCase(englishDay, EnglishDayAbbrevs[i]))
            return static_cast<int>(i);
    return -1;
}

} // namespace

std::string TurkishDayAbbrev(const std::string& englishDay) {
    const int i = EnglishDayIndex(englishDay);
    return i < 0 ? std::string() : DayAbbrevs[static_cast<std::size_t>(i)];
}

std::string NextDayAbbrev(const std::string& englishDay) {
    const int i = EnglishDayIndex(englishDay);
    return i < 0 ? std::string() : EnglishDayAbbrevs[static_cast<std::size_t>((i + 1) % 7)];
}

} // namespace meltemix
