#include "native/fakes/MemoryProfileStore.h"

#include <algorithm>
#include <cctype>

namespace meltemix {
namespace {
bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}
} // namespace

const MemoryProfileStore::Section* MemoryProfileStore::find(const std::string& section) const {
    for (const Section& s : sections_)
        if (sameName(s.name, section))
            return &s;
    return nullptr;
}

std::string MemoryProfileStore::readText(const std::string& section, const std::string& key,
                                         const std::string& fallback) const {
    if (const Section* s = find(section))
        for (const auto& entry : s->entries)
            if (sameName(entry.first, key))
                return entry.second;
    return fallback;
}

bool MemoryProfileStore::writeText(const std::string& section, const std::string& key,
                                   const std::string& value) {
    if (failWrites || refused)
        return false;
    exists_ = true;
    auto* s = const_cast<Section*>(find(section));
    if (!s) {
        sections_.push_back({section, {}});
        s = &sections_.back();
    }
    for (auto& entry : s->entries)
        if (sameName(entry.first, key)) {
            entry.second = value;
            return true;
        }
    s->entries.emplace_back(key, value);
    return true;
}

std::vector<std::string> MemoryProfileStore::sectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : sections_)
        names.push_back(s.name);
    return names;
}

std::vector<std::string> MemoryProfileStore::keyNames(const std::string& section) const {
    std::vector<std::string> names;
    if (const Section* s = find(section))
        for (const auto& entry : s->entries)
            names.push_back(entry.first);
    return names;
}

bool MemoryProfileStore::eraseSection(const std::string& section) {
    if (failWrites || refused)
        return false;
    exists_ = true;
    sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                   [&](const Section& s) { return sameName(s.name, section); }),
                    sections_.end());
    return true;
}

bool MemoryProfileStore::discard() {
    sections_.clear();
    exists_ = false;
    return true;
}

} // namespace meltemix
