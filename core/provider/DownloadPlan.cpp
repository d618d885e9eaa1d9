#include "core/provider/DownloadPlan.h"

namespace meltemix {
namespace {

DownloadPlan Plan(const Endpoints& endpoints, const std::string& base, LivePurpose purpose,
                  const std::string& argument, std::string plainAddress) {
    DownloadPlan plan;
    if (IsLiveEndpoint(base))
        plan.Live = LiveRequest{purpose, argument,
                                {endpoints.ForecastApi, endpoints.GeocodingApi, endpoints.IpApi}};
    else
        plan.Address = std::move(plainAddress);
    return plan;
}

} // namespace

bool IsLiveEndpoint(const std::string& base) {
    static const char kLive[] = "live";
    if (base.size() != sizeof(kLive) - 1)
        return false;
    for (std::size_t i = 0; i < base.size(); ++i) {
        const char c = base[i] >= 'A' && base[i] <= 'Z' ? static_cast<char>(base[i] - 'A' + 'a') : base[i];
        if (c != kLive[i])
            return false;
    }
    return true;
}

DownloadPlan PlanFeedDownload(const Endpoints& endpoints, const std::string& code) {
    return Plan(endpoints, endpoints.Weather, LivePurpose::Feed, code,
                endpoints.Weather + "/forecastrss/" + code + "_c.xml");
}

DownloadPlan PlanSearchDownload(const Endpoints& endpoints, const std::string& text) {
    return Plan(endpoints, endpoints.Search, LivePurpose::Search, text,
                endpoints.Search + "/search/search?where=" + text);
}

DownloadPlan PlanIpDownload(const Endpoints& endpoints) {
    return Plan(endpoints, endpoints.IP, LivePurpose::IP, std::string(), endpoints.IP + "/xml.aspx");
}

} // namespace meltemix
