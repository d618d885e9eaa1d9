#pragma once

#include <functional>
#include <string>

namespace meltemix {

// What became of one HTTP GET done by the platform.
enum class HttpOutcome {
    Response,      // some response arrived, its status given
    NoResponse,    // none could be had: no network, unresolved, refused, timed out
    SecureChannel, // the secure connection could not be set up (handshake, certificate)
};

// One HTTP GET: the body and status of the response when one arrived.
using HttpGet = std::function<HttpOutcome(const std::string& url, std::string& body, int& status)>;

} // namespace meltemix
