#include "core/options/Places.h"

#include "core/text/TurkishText.h"

#include <algorithm>

namespace meltemix {

std::vector<std::string> PlaceNames(const PlaceList& places) {
    std::vector<std::string> names;
    names.reserve(places.size());
    for (const ListedPlace& place : places)
        names.push_back(place.name);
    return names;
}

namespace {
bool NameBefore(const ListedPlace& a, const ListedPlace& b) {
    return CompareTurkish(a.name, b.name) < 0;
}
} // namespace

Favourites::Favourites(PlaceList stored) : places_(std::move(stored)) {
    std::stable_sort(places_.begin(), places_.end(), NameBefore);
}

bool Favourites::contains(const std::string& name) const {
    return std::any_of(places_.begin(), places_.end(),
                       [&](const ListedPlace& p) { return SameNameIgnoringCase(p.name, name); });
}

int Favourites::add(const ListedPlace& place) {
    if (contains(place.name))
        return -1;
    // After any names that compare equal, as a list sorted once more would put it.
    const auto at = std::upper_bound(places_.begin(), places_.end(), place, NameBefore);
    const auto row = at - places_.begin();
    places_.insert(at, place);
    return static_cast<int>(row);
}

void Favourites::removeAt(int row) {
    if (row >= 0 && row < size())
        places_.erase(places_.begin() + row);
}

} // namespace meltemix
