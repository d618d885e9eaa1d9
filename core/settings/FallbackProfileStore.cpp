#include "core/settings/FallbackProfileStore.h"

#include <utility>

namespace meltemix {

FallbackProfileStore::FallbackProfileStore(ProfileStore& folder, PerUserOpener openPerUser)
    : folder_(folder), openPerUser_(std::move(openPerUser)) {}

ProfileStore* FallbackProfileStore::perUser() const {
    if (!perUserOpened_) {
        perUserOpened_ = true;
        if (openPerUser_)
            perUser_ = openPerUser_();
    }
    return perUser_.get();
}

ProfileStore& FallbackProfileStore::current() const {
    if (!current_) {
        // Only while the folder refuses: a copy on a stick that is writable again, or a
        // folder whose rights were fixed, keeps its settings beside the program.
        current_ = &folder_;
        if (folder_.refusesWrites()) {
            ProfileStore* user = perUser();
            if (user && user->exists())
                current_ = user;
        }
    }
    return *current_;
}

bool FallbackProfileStore::usesPerUserFile() const { return &current() != &folder_; }

std::string FallbackProfileStore::fileName() const {
    return refusedLast_ ? refusedLast_->fileName() : current().fileName();
}

std::string FallbackProfileStore::readText(const std::string& section, const std::string& key,
                                           const std::string& fallback) const {
    return current().readText(section, key, fallback);
}

std::vector<std::string> FallbackProfileStore::sectionNames() const {
    return current().sectionNames();
}

std::vector<std::string> FallbackProfileStore::keyNames(const std::string& section) const {
    return current().keyNames(section);
}

bool FallbackProfileStore::writeText(const std::string& section, const std::string& key,
                                     const std::string& value) {
    return write([&](ProfileStore& store) { return store.writeText(section, key, value); });
}

bool FallbackProfileStore::eraseSection(const std::string& section) {
    return write([&](ProfileStore& store) { return store.eraseSection(section); });
}

bool FallbackProfileStore::flush() { return current().flush(); }

bool FallbackProfileStore::exists() const { return current().exists(); }

bool FallbackProfileStore::refusesWrites() const { return current().refusesWrites(); }

bool FallbackProfileStore::discard() { return current().discard(); }

bool FallbackProfileStore::write(const std::function<bool(ProfileStore&)>& change) {
    ProfileStore& store = current();
    refusedLast_ = nullptr;
    if (change(store))
        return true;
    refusedLast_ = &store;
    // A failure that may pass, such as a file another program holds, moves nothing: the
    // next start would find the folder's file writable and the moved settings unread.
    if (&store != &folder_ || !folder_.refusesWrites())
        return false;
    ProfileStore* user = perUser();
    if (!user)
        return false;
    refusedLast_ = user;
    // An existing file of the user's holds what an earlier run kept there; the folder's
    // copy never replaces it.
    if (!user->exists() && !copyFolderTo(*user))
        return false;
    current_ = user;
    if (!change(*user))
        return false;
    refusedLast_ = nullptr;
    return true;
}

bool FallbackProfileStore::copyFolderTo(ProfileStore& target) const {
    for (const std::string& section : folder_.sectionNames())
        for (const std::string& key : folder_.keyNames(section))
            if (!target.writeText(section, key, folder_.readText(section, key, std::string()))) {
                // Half a copy would be preferred at the next start, without the place
                // lists or the service addresses that did not make it.
                target.discard();
                return false;
            }
    return true;
}

} // namespace meltemix
