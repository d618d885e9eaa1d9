#include "core/weather/TimeOfDay.h"

#include "core/text/Utf8.h"

namespace meltemix {
namespace {

class Scanner {
public:
    explicit Scanner(const std::string& text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }
    bool AtEnd() const { return pos_ == text_.size(); }

    // One to four digits, so that no value can overflow.
    bool Number(int& value) {
        SkipBlanks();
        std::size_t digits = 0;
        value = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            if (++digits > 4)
                return false;
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        return digits > 0;
    }

    bool Char(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // The word without regard to ASCII case.
    bool Word(const std::string& word) {
        if (word.empty())
            return false;
        SkipBlanks();
        if (text_.size() - pos_ < word.size())
            return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (Fold(text_[pos_ + i]) != Fold(word[i]))
                return false;
        pos_ += word.size();
        return true;
    }

private:
    static char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

    const std::string& text_;
    std::size_t pos_ = 0;
};

// -1 when there is no marker, else the hour it adds (0 or 12).
int ScanMarker(Scanner& s, const LocaleFormats& formats) {
    if (s.Word(formats.AmDesignator) || s.Word("am"))
        return 0;
    if (s.Word(formats.PmDesignator) || s.Word("pm"))
        return 12;
    return -1;
}

std::string TwoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

} // namespace

std::optional<TimeOfDay> ParseTimeOfDay(const std::string& text, const LocaleFormats& formats) {
    Scanner s(text);
    int base = ScanMarker(s, formats);
    TimeOfDay t;
    if (!s.Number(t.Hour))
        return std::nullopt;
    if (s.Char(':')) {
        if (!s.Number(t.Minute))
            return std::nullopt;
        if (s.Char(':') && !s.Number(t.Second))
            return std::nullopt;
    }
    if (base < 0)
        base = ScanMarker(s, formats);
    s.SkipBlanks();
    if (!s.AtEnd())
        return std::nullopt;
    if (base >= 0) {
        if (t.Hour == 0 || t.Hour > 12)
            return std::nullopt;
        t.Hour = t.Hour % 12 + base;
    }
    if (t.Hour > 23 || t.Minute > 59 || t.Second > 59)
        return std::nullopt;
    return t;
}

std::string FormatTimeOfDay(const TimeOfDay& time, const LocaleFormats& formats,
                            const std::string& picture) {
    std::string out;
    std::size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        if (c == '\'') {
            const std::size_t end = picture.find('\'', i + 1);
            const std::size_t stop = end == std::string::npos ? picture.size() : end;
            out.append(picture, i + 1, stop - i - 1);
            i = stop == picture.size() ? stop : stop + 1;
            continue;
        }
        int value = -1;
        if (c == 'h')
            value = time.Hour % 12 == 0 ? 12 : time.Hour % 12;
        else if (c == 'H')
            value = time.Hour;
        else if (c == 'm')
            value = time.Minute;
        else if (c == 's')
            value = time.Second;
        if (value >= 0) {
            out += run >= 2 ? TwoDigits(value) : std::to_string(value);
        } else if (c == 't') {
            const std::string& designator =
                time.Hour < 12 ? formats.AmDesignator : formats.PmDesignator;
            // "t" is the first character of the designator, not its first byte.
            out += run >= 2 ? designator : TruncateUtf16Units(designator, 1);
        } else {
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

} // namespace meltemix
