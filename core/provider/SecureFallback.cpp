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

bool PlainUpstreams::isPlain(Upstream upstream) {
    std::atomic<std::int64_t>& since = since_[IndexOf(upstream)];
    std::int64_t began = since.load(std::memory_order_relaxed);
    if (began == Secure)
        return false;
    const std::int64_t elapsed = clock_() - began;
    if (elapsed >= 0 && elapsed < KeepMs)
        return true;
    // Cleared rather than only judged expired: a wrapped tick count would otherwise come
    // round to the old start again weeks later.
    since.compare_exchange_strong(began, Secure, std::memory_order_relaxed);
    return false;
}

void PlainUpstreams::remember(Upstream upstream) {
    if (isPlain(upstream))
        return; // the time counts from the fallback, not from the latest answer
    since_[IndexOf(upstream)].store(clock_(), std::memory_order_relaxed);
}

void PlainUpstreams::forget(Upstream upstream) {
    since_[IndexOf(upstream)].store(Secure, std::memory_order_relaxed);
}

void PlainUpstreams::forgetAll() {
    for (auto& since : since_)
        since.store(Secure, std::memory_order_relaxed);
}

std::string PlainHttpAddress(const std::string& url) {
    if (!IsSecure(url))
        return url;
    return "http://" + url.substr(kSecureLength);
}

UpstreamAnswer GetUpstream(const HttpGet& get, PlainUpstreams& plain, Upstream upstream,
                           const std::string& url) {
    UpstreamAnswer answer;
    const bool secure = IsSecure(url);
    answer.plain = secure && plain.isPlain(upstream);
    answer.outcome = get(answer.plain ? PlainHttpAddress(url) : url, answer.body, answer.status);
    if (!secure || answer.plain || answer.outcome != HttpOutcome::SecureChannel)
        return answer;
    answer = UpstreamAnswer();
    answer.plain = true;
    answer.outcome = get(PlainHttpAddress(url), answer.body, answer.status);
    return answer;
}

void SettleUpstream(PlainUpstreams& plain, Upstream upstream, const UpstreamAnswer& answer,
                    bool own) {
    if (!answer.plain)
        return;
    if (own && answer.outcome == HttpOutcome::Response)
        plain.remember(upstream);
    else
        plain.forget(upstream);
}

} // namespace meltemix
