#pragma once

#include "core/settings/ProfileStore.h"
#include "core/settings/SettingKeys.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace meltemix {

// Raised when a value cannot be written; its text is what the user sees.
class SettingsWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The longest text a read returns, in UTF-16 units (the platform's 2048-unit buffer).
constexpr std::size_t MaxSettingTextLength = 2047;

// Integer as the settings file stores it: decimal with an optional sign, or hexadecimal
// after "0x", "0X" or "$". Leading blanks are allowed, nothing may follow the number.
std::optional<std::int32_t> ParseSettingInteger(const std::string& text);

// The value forms on top of a profile store. Reads never fail (a missing or unreadable
// value gives the default); a failed write raises SettingsWriteError.
class SettingsFile {
public:
    explicit SettingsFile(ProfileStore& store) : store_(store) {}

    std::string fileName() const { return store_.fileName(); }

    std::string readText(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
    std::int32_t readInteger(const std::string& section, const std::string& key,
                             std::int32_t fallback) const;
    bool readFlag(const std::string& section, const std::string& key, bool fallback) const;

    void writeText(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, std::int32_t value);
    void writeFlag(const std::string& section, const std::string& key, bool value);

    // Declared keys, with the default of whoever reads them.
    std::string readText(const SettingKey& key) const;
    std::int32_t readInteger(const SettingKey& key, Reader who = Reader::Main) const;
    bool readFlag(const SettingKey& key, Reader who = Reader::Main) const;
    void writeText(const SettingKey& key, const std::string& value);
    void writeInteger(const SettingKey& key, std::int32_t value);
    void writeFlag(const SettingKey& key, bool value);

    // List sections: key names in file order, and "name=value" lines in the same order.
    std::vector<std::string> readSectionKeys(const std::string& section) const;
    std::vector<std::string> readSectionValues(const std::string& section) const;
    void eraseSection(const std::string& section);
    void flush();

private:
    [[noreturn]] void failWrite() const;

    ProfileStore& store_;
};

} // namespace meltemix
