#include "core/text/Decode.h"

#include <cstddef>
#include <cstdint>

namespace meltemix {
namespace {

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// 0x80..0x9F of Windows-1254; 0 marks the bytes the code page leaves undefined.
constexpr std::uint16_t kHigh1254[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0,      0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

std::uint32_t From1254(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const std::uint16_t mapped = kHigh1254[byte - 0x80];
        return mapped ? mapped : byte;
    }
    switch (byte) {
    case 0xD0: return 0x011E; // Ğ
    case 0xDD: return 0x0130; // İ
    case 0xDE: return 0x015E; // Ş
    case 0xF0: return 0x011F; // ğ
    case 0xFD: return 0x0131; // ı
    case 0xFE: return 0x015F; // ş
    default: return byte;
    }
}

std::string Utf16ToUtf8(const std::string& bytes, std::size_t start, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unitAt = [&](std::size_t i) -> std::uint32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::size_t i = start;
    while (i + 1 < bytes.size()) {
        const std::uint32_t unit = unitAt(i);
        i += 2;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < bytes.size()) {
            const std::uint32_t low = unitAt(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                i += 2;
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        AppendUtf8(out, (unit >= 0xD800 && unit <= 0xDFFF) ? 0xFFFD : unit);
    }
    if (i < bytes.size())
        AppendUtf8(out, 0xFFFD);
    return out;
}

bool IsXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWith(const std::string& text, std::size_t at, const char* prefix) {
    for (std::size_t i = 0; prefix[i]; ++i)
        if (at + i >= text.size() || text[at + i] != prefix[i])
            return false;
    return true;
}

// Where the XML declaration's encoding pseudo-attribute sits: [begin, end) covers the
// blank before the name through the closing quote, value is the name inside the quotes.
struct EncodingDeclaration {
    std::size_t begin = std::string::npos;
    std::size_t end = std::string::npos;
    std::string value;
};

EncodingDeclaration FindEncodingDeclaration(const std::string& text, std::size_t at) {
    EncodingDeclaration found;
    if (!StartsWith(text, at, "<?xml") || at + 5 >= text.size() || !IsXmlBlank(text[at + 5]))
        return found;
    const std::size_t close = text.find("?>", at + 5);
    if (close == std::string::npos)
        return found;
    std::size_t i = at + 5;
    while (i < close) {
        const std::size_t blank = i;
        while (i < close && IsXmlBlank(text[i]))
            ++i;
        if (i == blank)
            return found; // pseudo-attributes must be separated by blanks
        const std::size_t nameStart = i;
        while (i < close && text[i] != '=' && !IsXmlBlank(text[i]))
            ++i;
        const std::string name = text.substr(nameStart, i - nameStart);
        while (i < close && IsXmlBlank(text[i]))
            ++i;
        if (name.empty() || i >= close || text[i] != '=')
            return found;
        ++i;
        while (i < close && IsXmlBlank(text[i]))
            ++i;
        if (i >= close || (text[i] != '"' && text[i] != '\''))
            return found;
        const char quote = text[i++];
        const std::size_t valueStart = i;
        while (i < close && text[i] != quote)
            ++i;
        if (i >= close)
            return found;
        if (name == "encoding") {
            found.begin = blank;
            found.end = i + 1;
            found.value = text.substr(valueStart, i - valueStart);
            return found;
        }
        ++i;
    }
    return found;
}

std::size_t SkipLeadingBlanks(const std::string& text, std::size_t at) {
    while (at < text.size() && IsXmlBlank(text[at]))
        ++at;
    return at;
}

enum class Encoding { Utf8, Windows1254, Latin1, Ascii };

Encoding EncodingFromName(const std::string& name) {
    std::string lower;
    for (char c : name)
        lower += LowerAscii(c);
    if (lower == "windows-1254" || lower == "iso-8859-9")
        return Encoding::Windows1254;
    if (lower == "iso-8859-1")
        return Encoding::Latin1;
    if (lower == "us-ascii")
        return Encoding::Ascii;
    return Encoding::Utf8;
}

// C1 controls are not text; a document that holds them in a Latin code page is really
// Windows-1254 (or Windows-1252, which agrees on those bytes but for Turkish letters).
bool HasC1Controls(const std::string& bytes, std::size_t start) {
    for (std::size_t i = start; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x80 && byte <= 0x9F)
            return true;
    }
    return false;
}

bool IsAscii(const std::string& bytes, std::size_t start) {
    for (std::size_t i = start; i < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    return true;
}

} // namespace

std::string Windows1254ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes)
        AppendUtf8(out, From1254(static_cast<unsigned char>(c)));
    return out;
}

std::string Latin1ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes)
        AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

bool IsValidUtf8(const std::string& text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t extra;
        std::uint32_t cp;
        std::uint32_t minimum;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, cp = lead & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (n - i <= extra)
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string PrepareXmlText(const std::string& text) {
    std::size_t start = 0;
    // A byte-order mark that survived decoding, possibly followed by blanks.
    while (true) {
        const std::size_t before = start;
        if (StartsWith(text, start, "\xEF\xBB\xBF"))
            start += 3;
        start = SkipLeadingBlanks(text, start);
        if (start == before)
            break;
    }
    std::string prepared = text.substr(start);
    // A declaration that names its encoding twice is not well-formed either way, but a
    // second name must not survive to be read by the DOM.
    for (EncodingDeclaration declaration = FindEncodingDeclaration(prepared, 0);
         declaration.begin != std::string::npos;
         declaration = FindEncodingDeclaration(prepared, 0))
        prepared.erase(declaration.begin, declaration.end - declaration.begin);
    return prepared;
}

std::string DecodeDocument(const std::string& bytes) {
    if (StartsWith(bytes, 0, "\xFF\xFE"))
        return PrepareXmlText(Utf16ToUtf8(bytes, 2, false));
    if (StartsWith(bytes, 0, "\xFE\xFF"))
        return PrepareXmlText(Utf16ToUtf8(bytes, 2, true));
    std::size_t start = 0;
    bool utf8Mark = false;
    if (StartsWith(bytes, 0, "\xEF\xBB\xBF")) {
        start = 3;
        utf8Mark = true;
    }
    // UTF-16 without a mark still shows itself by the zero bytes around "<?".
    if (!utf8Mark && bytes.size() >= 4) {
        if (bytes.compare(0, 4, std::string("<\0?\0", 4)) == 0)
            return PrepareXmlText(Utf16ToUtf8(bytes, 0, false));
        if (bytes.compare(0, 4, std::string("\0<\0?", 4)) == 0)
            return PrepareXmlText(Utf16ToUtf8(bytes, 0, true));
    }

    Encoding encoding = Encoding::Utf8;
    if (!utf8Mark) {
        const EncodingDeclaration declaration =
            FindEncodingDeclaration(bytes, SkipLeadingBlanks(bytes, start));
        if (declaration.begin != std::string::npos)
            encoding = EncodingFromName(declaration.value);
    }

    const std::string body = bytes.substr(start);
    switch (encoding) {
    case Encoding::Utf8:
        if (IsValidUtf8(body))
            return PrepareXmlText(body);
        break;
    case Encoding::Latin1:
        if (!HasC1Controls(body, 0))
            return PrepareXmlText(Latin1ToUtf8(body));
        break;
    case Encoding::Ascii:
        if (IsAscii(body, 0))
            return PrepareXmlText(body);
        break;
    case Encoding::Windows1254:
        break;
    }
    return PrepareXmlText(Windows1254ToUtf8(body));
}

} // namespace meltemix
