#pragma once

#include "core/provider/Lock.h"
#include "core/provider/Place.h"

#include <cstddef>
#include <map>
#include <memory>
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

    explicit PlaceCache(std::unique_ptr<Lock> lock) : lock_(std::move(lock)) {}

    std::optional<Place> find(const std::string& code) const;
    void remember(const std::string& code, const Place& place);
    std::size_t size() const;

private:
    // The shipped toolchain's thread model has no std::mutex: the platform lends its lock.
    class Hold {
    public:
        explicit Hold(Lock& lock) : lock_(lock) { lock_.lock(); }
        ~Hold() { lock_.unlock(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        Lock& lock_;
    };

    std::unique_ptr<Lock> lock_;
    std::map<std::string, Place> places_;
};

} // namespace meltemix
