#pragma once

#include "core/provider/PlaceCache.h"
#include "core/provider/SecureFallback.h"

#include <utility>

namespace meltemix {

// What the built-in provider learns during a run: the places it looked up, kept for the
// rest of it, and the upstreams it asks over plain HTTP for the time being (timed by
// `clock`). The main window owns the one instance; the download workers and the options
// dialog's search share it.
struct LiveMemory {
    LiveMemory(PlainUpstreams::Clock clock, std::unique_ptr<Lock> placesLock)
        : Places(std::move(placesLock)), Plain(std::move(clock)) {}

    PlaceCache Places;
    PlainUpstreams Plain;
};

} // namespace meltemix
