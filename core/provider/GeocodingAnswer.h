#pragma once

#include "core/provider/Place.h"

#include <optional>
#include <string>
#include <vector>

namespace meltemix {

// A place of a geocoding answer with its location code ("GN" and the service's id).
struct FoundPlace {
    std::string Code;
    Place Where;
};

// The places of a search answer ({"results": [...]}) in the service's order. A result
// without a positive whole id, a name, or coordinates on the globe is left out; a missing
// region stays empty and a missing country name falls back to the country code. An answer
// without "results" found nothing. None when the answer is not JSON, not an object, or an
// error answer.
std::optional<std::vector<FoundPlace>> ReadSearchAnswer(const std::string& answer);

// The place of a look-up by id: the answer's object itself (or the first of its
// "results"), read as a search result is. None when it is no such place.
std::optional<FoundPlace> ReadPlaceAnswer(const std::string& answer);

// What the search list shows for a place: "Name, Region, Country", leaving out a part
// that is empty and a region that only repeats the name ("İstanbul, Türkiye").
std::string SearchDisplayName(const Place& place);

// The search answer the options page reads: root `search`, one `loc` per place in order,
// the code in its attribute `id` and the display name as its text.
std::string SearchDocument(const std::vector<FoundPlace>& places);

} // namespace meltemix
