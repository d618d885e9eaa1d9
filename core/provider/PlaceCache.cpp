#include "core/provider/PlaceCache.h"

namespace meltemix {

std::optional<Place> PlaceCache::find(const std::string& code) const {
    Hold hold(*lock_);
    const auto found = places_.find(code);
    if (found == places_.end())
        return std::nullopt;
    return found->second;
}

void PlaceCache::remember(const std::string& code, const Place& place) {
    Hold hold(*lock_);
    const auto found = places_.find(code);
    if (found != places_.end()) {
        found->second = place;
        return;
    }
    if (places_.size() >= Capacity)
        places_.erase(places_.begin());
    places_.emplace(code, place);
}

std::size_t PlaceCache::size() const {
    Hold hold(*lock_);
    return places_.size();
}

} // namespace meltemix
