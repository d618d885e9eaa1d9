#pragma once

#include <cstdint>
#include <string>

namespace meltemix {

// The platform's locale texts. Item codes are the platform's own numbers.
class LocaleSource {
public:
    virtual ~LocaleSource() = default;
    // The text of an item of a locale (UTF-8); empty when the platform has none.
    virtual std::string Text(std::uint32_t lcid, std::uint32_t item) const = 0;
};

// Turkish, default sub-language, default sort.
constexpr std::uint32_t TurkishLcid = 0x041F;

namespace LocaleItem {
constexpr std::uint32_t DecimalSeparator = 0x0E; // LOCALE_SDECIMAL
constexpr std::uint32_t TimeFormat = 0x1003;     // LOCALE_STIMEFORMAT, with seconds
constexpr std::uint32_t AmDesignator = 0x28;     // LOCALE_S1159
constexpr std::uint32_t PmDesignator = 0x29;     // LOCALE_S2359
constexpr std::uint32_t MondayName = 42;         // LOCALE_SDAYNAME1; 48 is Sunday
constexpr std::uint32_t JanuaryName = 56;        // LOCALE_SMONTHNAME1; 67 is December
} // namespace LocaleItem

} // namespace meltemix
