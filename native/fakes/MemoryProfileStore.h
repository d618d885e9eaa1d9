#pragma once

#include "core/settings/ProfileStore.h"

#include <string>
#include <utility>
#include <vector>

namespace meltemix {

// An in-memory profile file: sections and keys in insertion order, names compared without
// regard to ASCII case as the platform does. `failWrites` makes every write fail; `refused`
// does too, and the file then says it refuses writes, as one on a read-only medium does.
// The file exists once a write reached it, until it is discarded.
class MemoryProfileStore : public ProfileStore {
public:
    explicit MemoryProfileStore(std::string name = ".\\Options.ini") : name_(std::move(name)) {}

    bool failWrites = false;
    bool refused = false;

    std::string fileName() const override { return name_; }
    std::string readText(const std::string& section, const std::string& key,
                         const std::string& fallback) const override;
    bool writeText(const std::string& section, const std::string& key,
                   const std::string& value) override;
    std::vector<std::string> sectionNames() const override;
    std::vector<std::string> keyNames(const std::string& section) const override;
    bool eraseSection(const std::string& section) override;
    bool flush() override { return !failWrites && !refused; }
    bool exists() const override { return exists_; }
    bool refusesWrites() const override { return refused; }
    bool discard() override;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    const Section* find(const std::string& section) const;

    std::string name_;
    std::vector<Section> sections_;
    bool exists_ = false;
};

} // namespace meltemix
