#include "core/weather/LocaleDecimal.h"

#include <charconv>
#include <cmath>

namespace meltemix {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<double> ParseLocaleDecimal(const std::string& text, const std::string& separator) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;

    // Rewritten in the C form so that the conversion itself is the locale-free one.
    std::string plain;
    std::size_t i = begin;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-')
            plain += '-';
        ++i;
    }
    std::size_t digits = 0;
    for (; i < end && IsDigit(text[i]); ++i, ++digits)
        plain += text[i];
    if (!separator.empty() && text.compare(i, separator.size(), separator) == 0 &&
        i + separator.size() <= end) {
        plain += '.';
        for (i += separator.size(); i < end && IsDigit(text[i]); ++i, ++digits)
            plain += text[i];
    }
    if (digits == 0)
        return std::nullopt;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < end && (text[i] == '-' || text[i] == '+'))
            plain += text[i++];
        std::size_t exponentDigits = 0;
        for (; i < end && IsDigit(text[i]); ++i, ++exponentDigits)
            plain += text[i];
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;

    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace meltemix
