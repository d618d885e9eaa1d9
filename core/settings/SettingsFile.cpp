#include "core/settings/SettingsFile.h"

#include "core/text/Utf8.h"

#include <cctype>
#include <limits>

namespace meltemix {

std::optional<std::int32_t> ParseSettingInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;

    // Hexadecimal covers the full 32 bits (colours such as $FFFFFFFF); decimal is signed. A
    // negated number must fit the signed range whatever its base: -$FFFFFFFF is no 32-bit value.
    const std::uint64_t limit =
        negative ? 0x80000000ull : (base == 16 ? 0xFFFFFFFFull : 0x7FFFFFFFull);
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && std::isxdigit(c))
            digit = std::tolower(c) - 'a' + 10;
        else
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > limit)
            return std::nullopt;
    }
    auto bits = static_cast<std::uint32_t>(value);
    if (negative)
        bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

std::string SettingsFile::readText(const std::string& section, const std::string& key,
                                   const std::string& fallback) const {
    return TruncateUtf16Units(store_.readText(section, key, fallback), MaxSettingTextLength);
}

std::int32_t SettingsFile::readInteger(const std::string& section, const std::string& key,
                                       std::int32_t fallback) const {
    const std::string text = store_.readText(section, key, std::string());
    return ParseSettingInteger(text).value_or(fallback);
}

bool SettingsFile::readFlag(const std::string& section, const std::string& key,
                            bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void SettingsFile::writeText(const std::string& section, const std::string& key,
                             const std::string& value) {
    if (!store_.writeText(section, key, value))
        failWrite();
}

void SettingsFile::writeInteger(const std::string& section, const std::string& key,
                                std::int32_t value) {
    writeText(section, key, std::to_string(value));
}

void SettingsFile::writeFlag(const std::string& section, const std::string& key, bool value) {
    writeText(section, key, value ? "1" : "0");
}

std::string SettingsFile::readText(const SettingKey& key) const {
    return readText(key.section, key.name, key.textDefault ? key.textDefault : "");
}

std::int32_t SettingsFile::readInteger(const SettingKey& key, Reader who) const {
    return readInteger(key.section, key.name, key.defaultFor(who));
}

bool SettingsFile::readFlag(const SettingKey& key, Reader who) const {
    return readFlag(key.section, key.name, key.defaultFor(who) != 0);
}

void SettingsFile::writeText(const SettingKey& key, const std::string& value) {
    writeText(key.section, key.name, value);
}

void SettingsFile::writeInteger(const SettingKey& key, std::int32_t value) {
    writeInteger(key.section, key.name, value);
}

void SettingsFile::writeFlag(const SettingKey& key, bool value) {
    writeFlag(key.section, key.name, value);
}

std::vector<std::string> SettingsFile::readSectionKeys(const std::string& section) const {
    return store_.keyNames(section);
}

std::vector<std::string> SettingsFile::readSectionValues(const std::string& section) const {
    std::vector<std::string> lines;
    for (const std::string& name : store_.keyNames(section))
        lines.push_back(name + "=" + readText(section, name, std::string()));
    return lines;
}

void SettingsFile::eraseSection(const std::string& section) {
    if (!store_.eraseSection(section))
        failWrite();
}

void SettingsFile::flush() {
    // The writes have reached the file already where the platform does not cache; a
    // failed flush leaves nothing to report that the writes themselves did not.
    store_.flush();
}

void SettingsFile::failWrite() const {
    throw SettingsWriteError("Unable to write to " + store_.fileName());
}

} // namespace meltemix
