#pragma once

#include <string>
#include <vector>

namespace meltemix {

// A place as the lists of the "Şehirler" page hold it: the name shown and the location
// code of the weather service. Kept apart rather than as one "name=code" line, so that a
// name with "=" in it cannot shift part of itself into the code.
struct ListedPlace {
    std::string name;
    std::string code;

    bool operator==(const ListedPlace& other) const {
        return name == other.name && code == other.code;
    }
};

using PlaceList = std::vector<ListedPlace>;

std::vector<std::string> PlaceNames(const PlaceList& places);

// The user's favourites: unique names (letter case ignored), in Turkish alphabetical order.
class Favourites {
public:
    Favourites() = default;
    // Sorts what the settings file holds; names it repeats are kept, in file order.
    explicit Favourites(PlaceList stored);

    const PlaceList& places() const { return places_; }
    bool empty() const { return places_.empty(); }
    int size() const { return static_cast<int>(places_.size()); }

    bool contains(const std::string& name) const;
    // The row the place went to, or -1 when its name is taken already.
    int add(const ListedPlace& place);
    void removeAt(int row);
    void clear() { places_.clear(); }

private:
    PlaceList places_;
};

} // namespace meltemix
