#pragma once

#include "core/settings/ProfileStore.h"

#include <functional>
#include <memory>

namespace meltemix {

// The settings file in the working directory, and a file of the user's own for when that
// one refuses writes: a program folder under Program Files (the manifest turns the
// system's file virtualization off), a locked stick, a read-only share.
//
// Which file is used is decided at first use and kept for the run: the folder's file,
// unless it refuses writes and the user's file exists. A write the folder's file refuses
// moves the settings into the user's file, copying the folder's file there first when the
// user's file is new, so that the place lists and the service addresses come along.
class FallbackProfileStore : public ProfileStore {
public:
    // Opens the user's store; null when the system names no place for it. Called once at
    // most, and only when the folder's file refuses writes.
    using PerUserOpener = std::function<std::unique_ptr<ProfileStore>()>;

    FallbackProfileStore(ProfileStore& folder, PerUserOpener openPerUser);

    bool usesPerUserFile() const;

    // The file in use; after a write neither file took, the one that refused it last.
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
    ProfileStore& current() const;
    ProfileStore* perUser() const;
    bool write(const std::function<bool(ProfileStore&)>& change);
    bool copyFolderTo(ProfileStore& target) const;

    ProfileStore& folder_;
    PerUserOpener openPerUser_;
    mutable std::unique_ptr<ProfileStore> perUser_;
    mutable bool perUserOpened_ = false;
    mutable ProfileStore* current_ = nullptr;
    const ProfileStore* refusedLast_ = nullptr;
};

} // namespace meltemix
