#include "core/provider/PlaceCache.h"

namespace meltemix {

PlaceCache::Hold::Hold(std::atomic_flag& flag) : flag_(flag) {
    while (flag_.test_and_set(std::memory_order_acquire)) {
    }
}

PlaceCache::Hold::~Hold() { flag_.clear(std::memory_order_release); }

std::optional<Place> PlaceCache::find(const std::string& code) const {
    Hold hold(busy_);
    const auto found = places_.find(code);
    if (found == places_.end())
        return std::nullopt;
    return found->second;
}

void PlaceCache::remember(const std::string& code, const Place& place) {
    Hold hold(busy_);
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
    Hold hold(busy_);
    return places_.size();
}

} // namespace meltemix
