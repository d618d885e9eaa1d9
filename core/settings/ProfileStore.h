#pragma once

#include <string>
#include <vector>

namespace meltemix {

// The platform's profile ("INI") file functions, as the settings file needs them.
// Texts are UTF-8; the store converts at its own boundary.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    virtual std::string fileName() const = 0;
    // The stored text, or `fallback` when the key (or the file) is missing.
    virtual std::string readText(const std::string& section, const std::string& key,
                                 const std::string& fallback) const = 0;
    // False when the file could not be written.
    virtual bool writeText(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
    // Section names and the key names of a section, in file order.
    virtual std::vector<std::string> sectionNames() const = 0;
    virtual std::vector<std::string> keyNames(const std::string& section) const = 0;
    virtual bool eraseSection(const std::string& section) = 0;
    // Writes out whatever the platform keeps cached, so the next read sees every write.
    virtual bool flush() = 0;

    virtual bool exists() const = 0;
    // True when the file, or while it is missing its folder, will not take writes: access
    // denied, a read-only medium. Found out without changing anything. A failure that may
    // pass (another program holding the file) is no refusal.
    virtual bool refusesWrites() const = 0;
    // Removes the file; false when it is still there.
    virtual bool discard() = 0;
};

} // namespace meltemix
