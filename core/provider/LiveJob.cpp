#include "core/provider/LiveJob.h"

#include "core/provider/ForecastFeed.h"
#include "core/provider/GeocodingAnswer.h"
#include "core/provider/IpAnswer.h"
#include "core/provider/LocationCode.h"
#include "core/provider/NumberText.h"
#include "core/provider/TurkishProvinces.h"
#include "core/text/PercentEncode.h"

#include <exception>

namespace meltemix {
namespace {

constexpr int kNoResponse = -1;
constexpr int kReceived = 0;

const char* const kTurkey = "Türkiye";

// An answer worth reading: some response with a success status.
bool Succeeded(const UpstreamAnswer& answer) {
    return answer.outcome == HttpOutcome::Response && answer.status >= 200 &&
           answer.status < 300;
}

std::string Coordinate(double degrees) { return FixedText(degrees, 4).value_or("0"); }

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

int RunFeed(const LiveRequest& request, const HttpGet& get, LiveMemory& memory,
            std::string& document) {
    const auto place = ResolvePlace(request.Argument, request.Bases.GeocodingApi, get, memory);
    if (!place)
        return kNoResponse;
    const UpstreamAnswer answer = GetUpstream(get, memory.Plain, Upstream::Forecast,
                                              ForecastAddress(request.Bases.ForecastApi, *place));
    auto feed = Succeeded(answer) ? ForecastToFeed(answer.body, *place) : std::nullopt;
    SettleUpstream(memory.Plain, Upstream::Forecast, answer, feed.has_value());
    if (!feed)
        return kNoResponse;
    document = std::move(*feed);
    return kReceived;
}

int RunSearch(const LiveRequest& request, const HttpGet& get, LiveMemory& memory,
              std::string& document) {
    const UpstreamAnswer answer =
        GetUpstream(get, memory.Plain, Upstream::Geocoding,
                    GeocodingSearchAddress(request.Bases.GeocodingApi, request.Argument));
    const auto found = Succeeded(answer) ? ReadSearchAnswer(answer.body) : std::nullopt;
    SettleUpstream(memory.Plain, Upstream::Geocoding, answer, found.has_value());
    if (answer.outcome != HttpOutcome::Response)
        return kNoResponse;
    const std::vector<FoundPlace> list = found ? *found : std::vector<FoundPlace>();
    for (const FoundPlace& place : list)
        memory.Places.remember(place.Code, place.Where);
    document = SearchDocument(list);
    return kReceived;
}

int RunIp(const LiveRequest& request, const HttpGet& get, LiveMemory& memory,
          std::string& document) {
    const UpstreamAnswer answer =
        GetUpstream(get, memory.Plain, Upstream::Ip, IpEchoAddress(request.Bases.IpApi));
    auto ip = Succeeded(answer) ? IpToDocument(answer.body) : std::nullopt;
    SettleUpstream(memory.Plain, Upstream::Ip, answer, ip.has_value());
    if (!ip)
        return kNoResponse;
    document = std::move(*ip);
    return kReceived;
}

} // namespace

std::string ForecastAddress(const std::string& base, const Place& place) {
    return base + "/v1/forecast?latitude=" + PercentEncode(Coordinate(place.Latitude)) +
           "&longitude=" + PercentEncode(Coordinate(place.Longitude)) +
           "&current=temperature_2m,apparent_temperature,relative_humidity_2m,is_day,"
           "weather_code,wind_speed_10m,wind_direction_10m,pressure_msl,visibility"
           "&daily=weather_code,temperature_2m_max,temperature_2m_min,sunrise,sunset"
           "&forecast_days=5&timezone=auto";
}

std::string GeocodingSearchAddress(const std::string& base, const std::string& text) {
    return base + "/v1/search?name=" + PercentEncode(Trimmed(text)) +
           "&count=10&language=tr&format=json";
}

std::string GeocodingPlaceAddress(const std::string& base, std::int64_t id) {
    return base + "/v1/get?id=" + std::to_string(id) + "&language=tr";
}

std::string IpEchoAddress(const std::string& base) {
    const std::size_t scheme = base.find("://");
    const std::size_t host = scheme == std::string::npos ? 0 : scheme + 3;
    const bool hasPath = base.find('/', host) != std::string::npos;
    return base + (hasPath ? "" : "/") + "?format=json";
}

std::optional<Place> ResolvePlace(const std::string& code, const std::string& geocodingBase,
                                  const HttpGet& get, LiveMemory& memory) {
    if (const TurkishProvince* province = FindProvince(code)) {
        // A province is its own first-level division.
        return Place{province->Name, province->Name, kTurkey, province->Latitude,
                     province->Longitude};
    }
    const auto id = GeoNamesIdOf(code);
    if (!id)
        return std::nullopt;
    if (auto cached = memory.Places.find(code))
        return cached;
    const UpstreamAnswer answer = GetUpstream(get, memory.Plain, Upstream::Geocoding,
                                              GeocodingPlaceAddress(geocodingBase, *id));
    const auto found = Succeeded(answer) ? ReadPlaceAnswer(answer.body) : std::nullopt;
    SettleUpstream(memory.Plain, Upstream::Geocoding, answer, found.has_value());
    // An answer about another place than the one asked for is no answer.
    if (!found || found->Code != code)
        return std::nullopt;
    memory.Places.remember(code, found->Where);
    return found->Where;
}

int RunLiveJob(const LiveRequest& request, const HttpGet& get, LiveMemory& memory,
               std::string& document) {
    document.clear();
    try {
        switch (request.Purpose) {
        case LivePurpose::Feed: return RunFeed(request, get, memory, document);
        case LivePurpose::Search: return RunSearch(request, get, memory, document);
        case LivePurpose::IP: return RunIp(request, get, memory, document);
        }
    } catch (const std::exception&) {
        // A worker thread must end with its message, never with an exception.
    }
    document.clear();
    return kNoResponse;
}

} // namespace meltemix
