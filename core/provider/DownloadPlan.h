#pragma once

#include "core/provider/LiveJob.h"
#include "core/settings/Endpoints.h"

#include <optional>
#include <string>

namespace meltemix {

// How one download of the program is done: a plain GET of `Address`, as the services the
// program was written for answered it, or, when `Live` is set, a live job of the built-in
// provider (RunLiveJob) that hands back the same document. The caller does either and
// posts the same message with the same result code.
struct DownloadPlan {
    std::string Address;
    std::optional<LiveRequest> Live;
};

// Whether an endpoint names the built-in provider: "live", in any letter case.
bool IsLiveEndpoint(const std::string& base);

// The weather feed of a location code: Weather + "/forecastrss/" + code + "_c.xml".
DownloadPlan PlanFeedDownload(const Endpoints& endpoints, const std::string& code);

// The location search: Search + "/search/search?where=" + the text exactly as typed.
DownloadPlan PlanSearchDownload(const Endpoints& endpoints, const std::string& text);

// The public IP address: IP + "/xml.aspx".
DownloadPlan PlanIpDownload(const Endpoints& endpoints);

} // namespace meltemix
