#include "core/provider/SecureFallback.h"

namespace meltemix {
namespace {

constexpr char kSecure[] = "https://";
constexpr std::size_t kSecureLength = sizeof kSecure - 1;

bool IsSecure(const std::string& url) {
    if (url.size() < kSecureLength)
        return false;
    for (std::size_t i = 0; i < kSecureLength; ++i) {
        const char c =
            url[i] >= 'A' && url[i] <= 'Z' ? static_cast<char>(url[i] - 'A' + 'a') : url[i];
        if (c != kSecure[i])
            return false;
    }
    return true;
}

std::size_t IndexOf(Upstream upstream) { return static_cast<std::size_t>(upstream); }

} // namespace

bool PlainUpstreams::isPlain(Upstream upstream) const {
    return plain_[IndexOf(upstream)].load(std::memory_order_relaxed);
}

void PlainUpstreams::remember(Upstream upstream) {
    plain_[IndexOf(upstream)].store(true, std::memory_order_relaxed);
}

std::string PlainHttpAddress(const std::string& url) {
    if (!IsSecure(url))
        return url;
    return "http://" + url.substr(kSecureLength);
}

HttpOutcome GetUpstream(const HttpGet& get, PlainUpstreams& plain, Upstream upstream,
                        const std::string& url, std::string& body, int& status) {
    body.clear();
    status = 0;
    if (!IsSecure(url))
        return get(url, body, status);
    if (plain.isPlain(upstream))
        return get(PlainHttpAddress(url), body, status);
    const HttpOutcome secure = get(url, body, status);
    if (secure != HttpOutcome::SecureChannel)
        return secure;
    body.clear();
    status = 0;
    const HttpOutcome outcome = get(PlainHttpAddress(url), body, status);
    if (outcome == HttpOutcome::Response)
        plain.remember(upstream);
    return outcome;
}

} // namespace meltemix
