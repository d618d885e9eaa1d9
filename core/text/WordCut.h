#pragma once

#include <cstddef>
#include <string>

namespace meltemix {

// A UTF-8 text that fits in `units` UTF-16 code units: the text itself when it fits, else
// its words up to the last blank that leaves room for "…", without the separators left
// dangling at the cut ("Istanbul, Açık…" rather than "Istanbul, Aç"). A single word too
// long for the room is cut where the room ends, as nothing else is left to show.
std::string CutAtWord(const std::string& text, std::size_t units);

} // namespace meltemix
