#pragma once

#include "core/provider/Place.h"

#include <atomic>
#include <cstddef>
#include <map>
#include <optional>
#include <string>

namespace meltemix {

// Places already looked up, by location code, kept for the program's run so that a
// refresh does not ask the geocoding service again. The feed worker's thread and the
// user-interface thread (whose search answers fill it) share one cache.
class PlaceCache {
public:
    // Beyond this many places the first code in key order makes room. A run never comes
    // near it; the bound only keeps a cache that nobody empties from growing without end.
    static constexpr std::size_t Capacity = 512;

    std::optional<Place> find(const std::string& code) const;
    void remember(const std::string& code, const Place& place);
    std::size_t size() const;

private:
    // The shipped toolchain's thread model has no std::mutex, and the lock is held only
    // for a map look-up, so a spin lock does.
    class Hold {
    public:
        explicit Hold(std::atomic_flag& flag);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        std::atomic_flag& flag_;
    };

    mutable std::atomic_flag busy_ = ATOMIC_FLAG_INIT;
    std::map<std::string, Place> places_;
};

} // namespace meltemix
