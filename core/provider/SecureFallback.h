#pragma once

#include "core/provider/HttpGet.h"

#include <atomic>
#include <string>

namespace meltemix {

// The built-in provider's upstream services, each with a base address of its own.
enum class Upstream { Forecast, Geocoding, Ip };

// Upstreams that could not be reached securely during this run but answered over plain
// HTTP. Windows XP and Vista cannot set up the connections the public services require,
// and they will not learn to during the run, so once is enough to know. Shared by the
// download workers' threads and the user-interface thread.
class PlainUpstreams {
public:
    bool isPlain(Upstream upstream) const;
    void remember(Upstream upstream);

private:
    std::atomic<bool> plain_[3] = {};
};

// "https://host:port/path" as "http://host:port/path"; an address that is not https://
// stays as it is.
std::string PlainHttpAddress(const std::string& url);

// One GET of an address built from an upstream's base. Over https://, when the secure
// connection cannot be set up, the request is repeated once over plain http:// on the same
// host; when that brings a response, the upstream is asked over plain HTTP for the rest of
// the run. A refused connection, a time-out or an error status is never repeated.
HttpOutcome GetUpstream(const HttpGet& get, PlainUpstreams& plain, Upstream upstream,
                        const std::string& url, std::string& body, int& status);

} // namespace meltemix
