#pragma once

#include "core/provider/HttpGet.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace meltemix {

// The built-in provider's upstream services, each with a base address of its own.
enum class Upstream { Forecast, Geocoding, Ip };

// Upstreams that could not be reached securely but answered over plain HTTP. Windows XP and
// Vista cannot set up the connections the public services require; but the widget runs for
// days, across sleep and networks, so what was true on one network is not kept for ever:
// plain HTTP lasts as long as the upstream's own answers come over it, and at most
// `KeepMs` after the fallback began (or until the system wakes from sleep), after which
// the secure connection is tried first again. Shared by the download workers' threads and
// the user-interface thread.
class PlainUpstreams {
public:
    // Milliseconds of a clock that runs with the system. A clock that steps back (a tick
    // count that wrapped, a clock set back) counts as the time being up.
    using Clock = std::function<std::int64_t()>;
    static constexpr std::int64_t KeepMs = 6 * 60 * 60 * 1000;

    explicit PlainUpstreams(Clock clock) : clock_(std::move(clock)) {}

    // Whether requests to the upstream go over plain HTTP now.
    bool isPlain(Upstream upstream);
    // A plain answer was read as the upstream's own: plain HTTP stays, counted from the
    // first such answer.
    void remember(Upstream upstream);
    // The next request tries the secure connection first.
    void forget(Upstream upstream);
    void forgetAll();

private:
    static constexpr std::int64_t Secure = std::numeric_limits<std::int64_t>::min();

    Clock clock_;
    std::atomic<std::int64_t> since_[3] = {Secure, Secure, Secure};
};

// "https://host:port/path" as "http://host:port/path"; an address that is not https://
// stays as it is.
std::string PlainHttpAddress(const std::string& url);

// What one request to an upstream brought.
struct UpstreamAnswer {
    HttpOutcome outcome = HttpOutcome::NoResponse;
    int status = 0;
    std::string body;
    bool plain = false; // asked over plain HTTP in place of its https:// address
};

// One GET of an address built from an upstream's base. Over https://, when the secure
// connection cannot be set up at all, the request is repeated once over plain http:// on
// the same host; an upstream known to answer over plain HTTP is asked so at once. A refused
// connection, a time-out or an error status is never repeated.
UpstreamAnswer GetUpstream(const HttpGet& get, PlainUpstreams& plain, Upstream upstream,
                           const std::string& url);

// Tells what the provider made of an answer: `own` when it read it as the upstream's own
// (not a portal's page, an error or garbage). Only such an answer over plain HTTP keeps
// the upstream on plain HTTP; a plain request that brought anything else, or nothing,
// leaves the next request to try the secure connection again.
void SettleUpstream(PlainUpstreams& plain, Upstream upstream, const UpstreamAnswer& answer,
                    bool own);

} // namespace meltemix
