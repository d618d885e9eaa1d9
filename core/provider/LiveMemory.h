#pragma once

#include "core/provider/PlaceCache.h"
#include "core/provider/SecureFallback.h"

namespace meltemix {

// What the built-in provider learns during a run and keeps for the rest of it: the places
// it looked up and the upstreams it asks over plain HTTP. The main window owns the one
// instance; the download workers and the options dialog's search share it.
struct LiveMemory {
    PlaceCache Places;
    PlainUpstreams Plain;
};

} // namespace meltemix
