#pragma once

#include <optional>
#include <string>

namespace meltemix {

// The IP document for an answer of the IP echo ({"ip": "203.0.113.7"}): root `data`,
// element `ip` with the address. None when the answer is not JSON or has no address:
// a text of 2 to 45 characters of hexadecimal digits, dots and colons (IPv4 or IPv6).
std::optional<std::string> IpToDocument(const std::string& answer);

} // namespace meltemix
