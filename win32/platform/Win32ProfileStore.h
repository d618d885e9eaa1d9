#pragma once

#include "core/settings/ProfileStore.h"

#include <memory>
#include <string>

namespace meltemix {

// The settings file through the platform's W profile functions, so that names in any
// script survive whatever the system's code page (the file itself is UTF-16).
class Win32ProfileStore : public ProfileStore {
public:
    explicit Win32ProfileStore(std::wstring path) : path_(std::move(path)) {}

    // `relative` below the user's application data folder (%APPDATA%); null when the
    // system names none. The file's folder is made by the first write.
    static std::unique_ptr<ProfileStore> InUserAppData(const std::wstring& relative);

    std::string fileName() const override;
    std::string readText(const std::string& section, const std::string& key,
                         const std::string& fallback) const override;
    bool writeText(const std::string& section, const std::string& key,
                   const std::string& value) override;
    std::vector<std::string> sectionNames() const override;
    std::vector<std::string> keyNames(const std::string& section) const override;
    bool eraseSection(const std::string& section) override;
    bool flush() override;
    bool exists() const override;
    bool refusesWrites() const override;
    bool discard() override;

private:
    void createUnicodeFile() const;

    std::wstring path_;
};

} // namespace meltemix
