#include "core/weather/FeedDates.h"

#include <cstddef>

namespace meltemix {
namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

constexpr std::uint16_t kUnknown = 0xFFFF;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size(); ++i)
        if (!b[i] || LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return b[i] == '\0';
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Walks the date texts token by token. A value slot always moves on; a separator slot
// only when it finds its separator.
class Tokens {
public:
    enum class Kind { End, Identifier, Integer, Other };

    explicit Tokens(const std::string& text) : text_(text) { read(); }

    bool isIdentifier() const { return kind_ == Kind::Identifier; }

    void identifierSlot(std::string& value) {
        if (kind_ == Kind::Identifier)
            value = token_;
        read();
    }
    void nameSlot(std::uint16_t& field, int (*lookup)(const std::string&)) {
        if (kind_ == Kind::Identifier) {
            const int found = lookup(token_);
            field = found < 0 ? kUnknown : static_cast<std::uint16_t>(found);
        }
        read();
    }
    void integerSlot(std::uint16_t& field) {
        if (kind_ == Kind::Integer)
            field = number_;
        read();
    }
    void separatorSlot(char separator) {
        if (kind_ == Kind::Other && token_.size() == 1 && token_[0] == separator)
            read();
    }
    void skip() { read(); }

private:
    void read() {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
        token_.clear();
        if (pos_ >= text_.size()) {
            kind_ = Kind::End;
            return;
        }
        const std::size_t start = pos_;
        const char first = text_[pos_];
        if (IsLetter(first)) {
            while (pos_ < text_.size() && (IsLetter(text_[pos_]) || IsDigit(text_[pos_])))
                ++pos_;
            kind_ = Kind::Identifier;
        } else if (IsDigit(first)) {
            // Saturate rather than overflow: a run of digits longer than any date field
            // reads as 65535, as plainly wrong as an unknown name.
            std::uint32_t value = 0;
            while (pos_ < text_.size() && IsDigit(text_[pos_])) {
                value = value * 10 + static_cast<std::uint32_t>(text_[pos_] - '0');
                if (value > kUnknown)
                    value = kUnknown + 1;
                ++pos_;
            }
            number_ = value > kUnknown ? kUnknown : static_cast<std::uint16_t>(value);
            kind_ = Kind::Integer;
        } else {
            ++pos_;
            kind_ = Kind::Other;
        }
        token_.assign(text_, start, pos_ - start);
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    Kind kind_ = Kind::End;
    std::string token_;
    std::uint16_t number_ = 0;
};

} // namespace

int MonthFromName(const std::string& name) {
    for (int i = 0; i < 12; ++i)
        if (SameIgnoringCase(name, kMonths[i]))
            return i + 1;
    return -1;
}

int DayFromName(const std::string& name) {
    for (int i = 0; i < 7; ++i)
        if (SameIgnoringCase(name, kDays[i]))
            return i;
    return -1;
}

bool ReadFeedDate(const std::string& text, SystemTime& out) {
    if (text.empty())
        return false;
    out = SystemTime{};
    Tokens tokens(text);
    tokens.nameSlot(out.wDayOfWeek, DayFromName);
    tokens.separatorSlot(',');
    tokens.integerSlot(out.wDay);
    tokens.nameSlot(out.wMonth, MonthFromName);
    tokens.integerSlot(out.wYear);
    tokens.integerSlot(out.wHour);
    tokens.separatorSlot(':');
    tokens.integerSlot(out.wMinute);
    std::string marker;
    tokens.identifierSlot(marker);
    for (char& c : marker)
        c = LowerAscii(c);
    if (marker == "am" && out.wHour == 12)
        out.wHour = 0;
    else if (marker == "pm" && out.wHour != 12)
        out.wHour = out.wHour > kUnknown - 12 ? kUnknown : static_cast<std::uint16_t>(out.wHour + 12);
    return true;
}

bool ReadServerTime(const std::string& text, SystemTime& out) {
    if (text.empty())
        return false;
    out = SystemTime{};
    Tokens tokens(text);
    tokens.nameSlot(out.wDayOfWeek, DayFromName);
    tokens.nameSlot(out.wMonth, MonthFromName);
    tokens.integerSlot(out.wDay);
    tokens.integerSlot(out.wHour);
    tokens.separatorSlot(':');
    tokens.integerSlot(out.wMinute);
    tokens.separatorSlot(':');
    tokens.integerSlot(out.wSecond);
    if (tokens.isIdentifier())
        tokens.skip(); // the zone name
    tokens.integerSlot(out.wYear);
    return true;
}

void NextHour(std::uint16_t& hour) {
    hour = hour == 23 ? 0 : static_cast<std::uint16_t>(hour + 1);
}

} // namespace meltemix
