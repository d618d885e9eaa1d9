#pragma once

#include "core/provider/HttpGet.h"
#include "core/provider/LiveMemory.h"
#include "core/provider/Place.h"

#include <cstdint>
#include <optional>
#include <string>

namespace meltemix {

enum class LivePurpose { Feed, Search, IP };

// Base addresses of the upstream services, without a trailing slash.
struct LiveBases {
    std::string ForecastApi;
    std::string GeocodingApi;
    std::string IpApi;
};

// A download that the built-in provider answers instead of a plain GET.
struct LiveRequest {
    LivePurpose Purpose = LivePurpose::Feed;
    std::string Argument; // the location code (feed) or the search text (search)
    LiveBases Bases;
};

// Runs a live job on the calling thread (the download worker's, or the user interface's for
// the search) and returns what a plain download would: 0 with the document text, or -1.
//
// - Feed: the location code is resolved (Turkish provinces from the compiled-in table,
//   "GN" codes from the remembered places or else by the geocoding look-up by id, then
//   remembered), the forecast is asked and converted to the feed document. An unknown or
//   malformed code, no response, an error status or an answer that is no forecast: -1, so
//   the face shows "Bağlantı yok" and the previous report stays.
// - Search: no response is -1 (the search failed); any response is 0 with a search answer,
//   empty when the response was an error or no search answer ("Herhangi bir yer
//   bulunamadı."). The places found are remembered, so choosing one needs no look-up.
// - IP: 0 with the IP document, or -1 when there is no response or no address in it.
//
// Every upstream request falls back to plain HTTP as GetUpstream says; whether the answer
// was read as the upstream's own settles the fallback in `memory`, beside the places. `document` is emptied first. Nothing escapes: an exception of
// `get` is -1.
int RunLiveJob(const LiveRequest& request, const HttpGet& get, LiveMemory& memory,
               std::string& document);

// The upstream addresses. Values are percent-encoded; the IP echo's base gets the "/" of
// an empty path before its query, which a request line cannot do without.
std::string ForecastAddress(const std::string& base, const Place& place);
std::string GeocodingSearchAddress(const std::string& base, const std::string& text);
std::string GeocodingPlaceAddress(const std::string& base, std::int64_t id);
std::string IpEchoAddress(const std::string& base);

// The place of a location code, as the feed job resolves it; none when the code is
// unknown or malformed or the look-up gave no place.
std::optional<Place> ResolvePlace(const std::string& code, const std::string& geocodingBase,
                                  const HttpGet& get, LiveMemory& memory);

} // namespace meltemix
