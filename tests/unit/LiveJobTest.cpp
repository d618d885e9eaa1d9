// The live jobs as the download worker runs them: which upstream requests they make, what
// they hand back, and how the location codes are resolved.
#include "core/provider/DownloadPlan.h"
#include "core/provider/LiveJob.h"
#include "core/provider/LocationCode.h"
#include "core/provider/SecureFallback.h"
#include "core/provider/TurkishProvinces.h"
#include "core/settings/Endpoints.h"
#include "core/text/Decode.h"
#include "core/weather/FeedParser.h"
#include "native/fakes/MemoryProfileStore.h"
#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace meltemix;
using meltemix::test::DomFactory;
using meltemix::test::ReadTestData;

namespace {

const LiveBases kBases{"http://fc.test", "http://geo.test", "http://ip.test/ipify"};

std::int64_t StoppedClock() { return 0; }

// The upstream services: answers by address prefix, every request recorded.
struct FakeUpstream {
    struct Answer {
        int status;
        std::string body;
    };
    std::map<std::string, Answer> answers; // longest matching prefix wins
    std::vector<std::string> requests;
    bool throws = false;
    // Like Windows XP: no https:// address can be reached securely. Refused: addresses
    // that get no response at all, whatever their scheme.
    bool noSecureChannel = false;
    std::set<std::string> refused;
    // Something in the way of plain HTTP (a captive portal): every http:// request gets this.
    std::optional<Answer> plainIntercepted;

    HttpGet get() {
        return [this](const std::string& url, std::string& body, int& status) {
            requests.push_back(url);
            if (throws)
                throw std::runtime_error("broken");
            for (const std::string& prefix : refused)
                if (url.compare(0, prefix.size(), prefix) == 0)
                    return HttpOutcome::NoResponse;
            if (noSecureChannel && url.rfind("https://", 0) == 0)
                return HttpOutcome::SecureChannel;
            if (plainIntercepted && url.rfind("http://", 0) == 0) {
                body = plainIntercepted->body;
                status = plainIntercepted->status;
                return HttpOutcome::Response;
            }
            // The services answer alike over either scheme.
            const std::string plain = PlainHttpAddress(url);
            const Answer* best = nullptr;
            std::size_t bestLength = 0;
            for (const auto& [prefix, answer] : answers)
                if (plain.compare(0, prefix.size(), prefix) == 0 && prefix.size() >= bestLength)
                    best = &answer, bestLength = prefix.size();
            if (!best)
                return HttpOutcome::NoResponse;
            body = best->body;
            status = best->status;
            return HttpOutcome::Response;
        };
    }
};

struct JobResult {
    int code;
    std::string document;
};

JobResult RunJob(LivePurpose purpose, const std::string& argument, FakeUpstream& upstream,
                 LiveMemory& memory, const LiveBases& bases = kBases) {
    JobResult run{0, "stale"};
    run.code = RunLiveJob(LiveRequest{purpose, argument, bases}, upstream.get(), memory, run.document);
    return run;
}

std::string CityOf(const std::string& document) {
    TWeatherReport report;
    ParseFeed(report, DecodeDocument(document), DomFactory());
    return report.CityName;
}

FakeUpstream Serving() {
    FakeUpstream upstream;
    upstream.answers["http://fc.test/v1/forecast"] = {200, ReadTestData("openmeteo_istanbul_day.json")};
    upstream.answers["http://geo.test/v1/search"] = {200, ReadTestData("geocoding_paris.json")};
    upstream.answers["http://geo.test/v1/get"] = {200, ReadTestData("geocoding_get.json")};
    upstream.answers["http://ip.test/ipify"] = {200, ReadTestData("ipify.json")};
    return upstream;
}

// The tests' threads have the standard library's lock.
std::unique_ptr<Lock> ThreadLock() {
    struct StdLock final : Lock {
        std::mutex mutex;
        void lock() override { mutex.lock(); }
        void unlock() override { mutex.unlock(); }
    };
    return std::make_unique<StdLock>();
}

} // namespace

TEST(LiveJob, FeedOfATurkishProvince) {
    FakeUpstream upstream = Serving();
    LiveMemory places(StoppedClock, ThreadLock());
    const JobResult run = RunJob(LivePurpose::Feed, "TUXX0014", upstream, places);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(CityOf(run.document), "İstanbul");
    ASSERT_EQ(upstream.requests.size(), 1u);
    EXPECT_EQ(upstream.requests[0],
              "http://fc.test/v1/forecast?latitude=41.0100&longitude=28.9500"
              "&current=temperature_2m,apparent_temperature,relative_humidity_2m,is_day,"
              "weather_code,wind_speed_10m,wind_direction_10m,pressure_msl,visibility"
              "&daily=weather_code,temperature_2m_max,temperature_2m_min,sunrise,sunset"
              "&forecast_days=5&timezone=auto");
}

TEST(LiveJob, FeedOfASearchedPlaceIsLookedUpOnce) {
    FakeUpstream upstream = Serving();
    LiveMemory places(StoppedClock, ThreadLock());
    JobResult run = RunJob(LivePurpose::Feed, "GN3833367", upstream, places);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(CityOf(run.document), "Ushuaia");
    ASSERT_EQ(upstream.requests.size(), 2u);
    EXPECT_EQ(upstream.requests[0], "http://geo.test/v1/get?id=3833367&language=tr");
    EXPECT_EQ(upstream.requests[1].rfind("http://fc.test/v1/forecast?latitude=-54.8000&longitude=-68.3000&", 0), 0u);

    upstream.requests.clear();
    run = RunJob(LivePurpose::Feed, "GN3833367", upstream, places);
    EXPECT_EQ(run.code, 0);
    ASSERT_EQ(upstream.requests.size(), 1u); // the place is remembered for the run
    EXPECT_EQ(upstream.requests[0].rfind("http://fc.test/v1/forecast", 0), 0u);
}

TEST(LiveJob, SearchResultsNeedNoLookUpLater) {
    FakeUpstream upstream = Serving();
    LiveMemory places(StoppedClock, ThreadLock());
    EXPECT_EQ(RunJob(LivePurpose::Search, "paris", upstream, places).code, 0);
    upstream.requests.clear();
    const JobResult run = RunJob(LivePurpose::Feed, "GN4717560", upstream, places);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(CityOf(run.document), "Paris");
    ASSERT_EQ(upstream.requests.size(), 1u);
    EXPECT_NE(upstream.requests[0].find("latitude=33.6609&longitude=-95.5555&"), std::string::npos);
}

TEST(LiveJob, CodesThatResolveToNoPlace) {
    FakeUpstream upstream = Serving();
    upstream.answers["http://geo.test/v1/get?id=404"] = {400, "{\"error\":true,\"reason\":\"Not found\"}"};
    upstream.answers["http://geo.test/v1/get?id=77"] = {200, "{\"id\":78,\"name\":\"Other\",\"latitude\":1,\"longitude\":1}"};
    LiveMemory places(StoppedClock, ThreadLock());
    for (const char* code : {"", "USNY0996", "tuxx0014", "TUXX0014 ", "GN", "GN0", "GN012", "GN-5",
                             "GN 12", "gn745044", "GN1234567890123", "GN404", "GN77"}) {
        const JobResult run = RunJob(LivePurpose::Feed, code, upstream, places);
        EXPECT_EQ(run.code, -1) << code;
        EXPECT_EQ(run.document, "") << code;
    }
    // Only the well-formed GN codes were asked about.
    EXPECT_EQ(upstream.requests,
              (std::vector<std::string>{"http://geo.test/v1/get?id=404&language=tr",
                                        "http://geo.test/v1/get?id=77&language=tr"}));
    EXPECT_EQ(places.Places.size(), 0u);
}

TEST(LiveJob, FeedFailures) {
    LiveMemory places(StoppedClock, ThreadLock());
    struct Case {
        const char* what;
        int status;
        std::string body;
    };
    const Case cases[] = {
        {"error answer", 400, ReadTestData("openmeteo_error.json")},
        {"server error with a forecast body", 500, ReadTestData("openmeteo_istanbul_day.json")},
        {"garbage", 200, "\x89PNG\r\n"},
        {"empty", 200, ""},
    };
    for (const Case& c : cases) {
        FakeUpstream upstream = Serving();
        upstream.answers["http://fc.test/v1/forecast"] = {c.status, c.body};
        EXPECT_EQ(RunJob(LivePurpose::Feed, "TUXX0002", upstream, places).code, -1) << c.what;
        EXPECT_EQ(upstream.requests.size(), 1u) << c.what;
    }
    FakeUpstream silent;
    EXPECT_EQ(RunJob(LivePurpose::Feed, "TUXX0002", silent, places).code, -1);
    EXPECT_EQ(RunJob(LivePurpose::Feed, "GN3833367", silent, places).code, -1);
    EXPECT_EQ(silent.requests.size(), 2u); // the forecast, then the look-up that got nothing
    FakeUpstream broken = Serving();
    broken.throws = true;
    const JobResult run = RunJob(LivePurpose::Feed, "TUXX0002", broken, places);
    EXPECT_EQ(run.code, -1);
    EXPECT_EQ(run.document, "");
}

TEST(LiveJob, SearchAddressAndFailures) {
    FakeUpstream upstream = Serving();
    LiveMemory places(StoppedClock, ThreadLock());
    JobResult run = RunJob(LivePurpose::Search, "  Şanlıurfa / New York&x=1 ", upstream, places);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(upstream.requests.back(),
              "http://geo.test/v1/search?name=%C5%9Eanl%C4%B1urfa%20%2F%20New%20York%26x%3D1"
              "&count=10&language=tr&format=json");
    EXPECT_NE(run.document.find("<loc id=\"GN2988507\""), std::string::npos);

    // Any response is an answer; one that is no search answer finds nothing.
    for (const auto& [status, body] : std::vector<std::pair<int, std::string>>{
             {400, "{\"error\":true,\"reason\":\"Parameter name is required\"}"},
             {200, "not json"},
             {503, ReadTestData("geocoding_paris.json")}}) {
        upstream.answers["http://geo.test/v1/search"] = {status, body};
        run = RunJob(LivePurpose::Search, "paris", upstream, places);
        EXPECT_EQ(run.code, 0) << body;
        EXPECT_EQ(run.document.find("<loc"), std::string::npos) << body;
        EXPECT_NE(run.document.find("<search"), std::string::npos) << body;
    }
    FakeUpstream silent;
    EXPECT_EQ(RunJob(LivePurpose::Search, "paris", silent, places).code, -1);
}

TEST(LiveJob, IpLookup) {
    FakeUpstream upstream = Serving();
    LiveMemory places(StoppedClock, ThreadLock());
    JobResult run = RunJob(LivePurpose::IP, "", upstream, places);
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.document.find("<ip>203.0.113.7</ip>"), std::string::npos);
    EXPECT_EQ(upstream.requests, std::vector<std::string>{"http://ip.test/ipify?format=json"});

    upstream.answers["http://ip.test/ipify"] = {200, "<html>"};
    EXPECT_EQ(RunJob(LivePurpose::IP, "", upstream, places).code, -1);
    upstream.answers["http://ip.test/ipify"] = {429, ReadTestData("ipify.json")};
    EXPECT_EQ(RunJob(LivePurpose::IP, "", upstream, places).code, -1);
    FakeUpstream silent;
    EXPECT_EQ(RunJob(LivePurpose::IP, "", silent, places).code, -1);
}

// The IP echo's public base has no path: the query needs the "/" of the root before it.
TEST(LiveJob, IpEchoAddressHasAPath) {
    EXPECT_EQ(IpEchoAddress("https://api.ipify.org"), "https://api.ipify.org/?format=json");
    EXPECT_EQ(IpEchoAddress("http://127.0.0.1:8642"), "http://127.0.0.1:8642/?format=json");
    EXPECT_EQ(IpEchoAddress("http://127.0.0.1:8642/ipify"), "http://127.0.0.1:8642/ipify?format=json");
}

const LiveBases kSecureBases{"https://fc.test", "https://geo.test", "https://ip.test/ipify"};

// Windows XP and Vista cannot set up the secure connections the public services require.
TEST(SecureFallback, EachUpstreamFallsBackOnceAndStaysOnPlainHttp) {
    FakeUpstream upstream = Serving();
    upstream.noSecureChannel = true;
    LiveMemory memory(StoppedClock, ThreadLock());
    JobResult run = RunJob(LivePurpose::Feed, "GN3833367", upstream, memory, kSecureBases);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(CityOf(run.document), "Ushuaia");
    ASSERT_EQ(upstream.requests.size(), 4u);
    EXPECT_EQ(upstream.requests[0], "https://geo.test/v1/get?id=3833367&language=tr");
    EXPECT_EQ(upstream.requests[1], "http://geo.test/v1/get?id=3833367&language=tr");
    EXPECT_EQ(upstream.requests[2].rfind("https://fc.test/v1/forecast?latitude=-54.8000&", 0), 0u);
    EXPECT_EQ(upstream.requests[3], PlainHttpAddress(upstream.requests[2]));

    // Later requests of the run go over plain HTTP at once, the options' search too.
    upstream.requests.clear();
    EXPECT_EQ(RunJob(LivePurpose::Feed, "TUXX0014", upstream, memory, kSecureBases).code, 0);
    EXPECT_EQ(RunJob(LivePurpose::Search, "paris", upstream, memory, kSecureBases).code, 0);
    ASSERT_EQ(upstream.requests.size(), 2u);
    EXPECT_EQ(upstream.requests[0].rfind("http://fc.test/v1/forecast?", 0), 0u);
    EXPECT_EQ(upstream.requests[1].rfind("http://geo.test/v1/search?name=paris&", 0), 0u);

    // Each upstream finds out for itself.
    upstream.requests.clear();
    EXPECT_EQ(RunJob(LivePurpose::IP, "", upstream, memory, kSecureBases).code, 0);
    EXPECT_EQ(upstream.requests, (std::vector<std::string>{"https://ip.test/ipify?format=json",
                                                           "http://ip.test/ipify?format=json"}));
    EXPECT_TRUE(memory.Plain.isPlain(Upstream::Ip));
}

TEST(SecureFallback, OnlyAFailedSecureChannelIsAskedAgain) {
    LiveMemory memory(StoppedClock, ThreadLock());
    // A refused connection or a time-out: no second request, nothing remembered.
    FakeUpstream refused = Serving();
    refused.refused.insert("https://fc.test");
    EXPECT_EQ(RunJob(LivePurpose::Feed, "TUXX0014", refused, memory, kSecureBases).code, -1);
    EXPECT_EQ(refused.requests.size(), 1u);
    // An error status is an answer, over whatever scheme it came.
    FakeUpstream failing = Serving();
    failing.answers["http://fc.test/v1/forecast"] = {400, ReadTestData("openmeteo_error.json")};
    EXPECT_EQ(RunJob(LivePurpose::Feed, "TUXX0014", failing, memory, kSecureBases).code, -1);
    EXPECT_EQ(failing.requests.size(), 1u);
    EXPECT_EQ(failing.requests[0].rfind("https://", 0), 0u);
    EXPECT_FALSE(memory.Plain.isPlain(Upstream::Forecast));

    // The plain request gets no response either: the next refresh tries the secure one again.
    FakeUpstream nowhere = Serving();
    nowhere.noSecureChannel = true;
    nowhere.refused.insert("http://fc.test");
    EXPECT_EQ(RunJob(LivePurpose::Feed, "TUXX0014", nowhere, memory, kSecureBases).code, -1);
    EXPECT_EQ(nowhere.requests.size(), 2u);
    EXPECT_FALSE(memory.Plain.isPlain(Upstream::Forecast));
    nowhere.requests.clear();
    EXPECT_EQ(RunJob(LivePurpose::Feed, "TUXX0014", nowhere, memory, kSecureBases).code, -1);
    EXPECT_EQ(nowhere.requests.size(), 2u);
    EXPECT_EQ(nowhere.requests[0].rfind("https://", 0), 0u);
}

// A portal's page or an error over plain HTTP says nothing of the upstream: only its own
// answer keeps it on plain HTTP, else the next request tries the secure connection again.
TEST(SecureFallback, PlainHttpStaysOnlyAfterTheUpstreamsOwnAnswer) {
    const std::string forecast = ReadTestData("openmeteo_istanbul_day.json");
    const FakeUpstream::Answer portal{200, "<html><form action=\"/login\">Giriş</form></html>"};
    struct Case {
        const char* what;
        LivePurpose purpose;
        Upstream upstream;
        const char* path;                      // answered as below over either scheme
        FakeUpstream::Answer answer;
        std::optional<FakeUpstream::Answer> intercepted;
        bool stays;
    };
    const Case cases[] = {
        {"a forecast", LivePurpose::Feed, Upstream::Forecast, "http://fc.test/v1/forecast",
         {200, forecast}, std::nullopt, true},
        {"a portal's page for the forecast", LivePurpose::Feed, Upstream::Forecast,
         "http://fc.test/v1/forecast", {200, forecast}, portal, false},
        {"a server error with a forecast body", LivePurpose::Feed, Upstream::Forecast,
         "http://fc.test/v1/forecast", {500, forecast}, std::nullopt, false},
        {"the forecast service's error", LivePurpose::Feed, Upstream::Forecast,
         "http://fc.test/v1/forecast", {400, ReadTestData("openmeteo_error.json")},
         std::nullopt, false},
        {"a search answer", LivePurpose::Search, Upstream::Geocoding,
         "http://geo.test/v1/search", {200, ReadTestData("geocoding_paris.json")},
         std::nullopt, true},
        {"a portal's page for the search", LivePurpose::Search, Upstream::Geocoding,
         "http://geo.test/v1/search", {200, ReadTestData("geocoding_paris.json")}, portal,
         false},
        {"an address", LivePurpose::IP, Upstream::Ip, "http://ip.test/ipify",
         {200, ReadTestData("ipify.json")}, std::nullopt, true},
        {"a portal's page for the address", LivePurpose::IP, Upstream::Ip,
         "http://ip.test/ipify", {200, ReadTestData("ipify.json")}, portal, false},
        {"too many requests", LivePurpose::IP, Upstream::Ip, "http://ip.test/ipify",
         {429, ReadTestData("ipify.json")}, std::nullopt, false},
    };
    for (const Case& c : cases) {
        FakeUpstream upstream = Serving();
        upstream.noSecureChannel = true;
        upstream.answers[c.path] = c.answer;
        upstream.plainIntercepted = c.intercepted;
        LiveMemory memory(StoppedClock, ThreadLock());
        const char* argument = c.purpose == LivePurpose::Feed ? "TUXX0014" : "paris";
        RunJob(c.purpose, argument, upstream, memory, kSecureBases);
        EXPECT_EQ(memory.Plain.isPlain(c.upstream), c.stays) << c.what;
        upstream.requests.clear();
        RunJob(c.purpose, argument, upstream, memory, kSecureBases);
        ASSERT_FALSE(upstream.requests.empty()) << c.what;
        EXPECT_EQ(upstream.requests[0].rfind(c.stays ? "http://" : "https://", 0), 0u) << c.what;
    }
}

TEST(SecureFallback, APlainRequestThatFailsSendsTheNextOneToTheSecureConnection) {
    FakeUpstream upstream = Serving();
    upstream.noSecureChannel = true;
    LiveMemory memory(StoppedClock, ThreadLock());
    ASSERT_EQ(RunJob(LivePurpose::IP, "", upstream, memory, kSecureBases).code, 0);
    ASSERT_TRUE(memory.Plain.isPlain(Upstream::Ip));

    upstream.refused.insert("http://ip.test"); // another network, or none
    upstream.requests.clear();
    EXPECT_EQ(RunJob(LivePurpose::IP, "", upstream, memory, kSecureBases).code, -1);
    EXPECT_EQ(upstream.requests, std::vector<std::string>{"http://ip.test/ipify?format=json"});
    upstream.refused.clear();
    upstream.noSecureChannel = false; // where TLS works
    upstream.requests.clear();
    EXPECT_EQ(RunJob(LivePurpose::IP, "", upstream, memory, kSecureBases).code, 0);
    EXPECT_EQ(upstream.requests, std::vector<std::string>{"https://ip.test/ipify?format=json"});
}

TEST(SecureFallback, PlainHttpEndsSixHoursAfterTheFallbackOrAtAWake) {
    std::int64_t now = 5000;
    LiveMemory memory([&now] { return now; }, ThreadLock());
    FakeUpstream upstream = Serving();
    upstream.noSecureChannel = true;
    const auto firstScheme = [&] {
        upstream.requests.clear();
        EXPECT_EQ(RunJob(LivePurpose::IP, "", upstream, memory, kSecureBases).code, 0);
        return upstream.requests.at(0).substr(0, upstream.requests[0].find(':'));
    };
    EXPECT_EQ(firstScheme(), "https"); // the fallback begins
    now += PlainUpstreams::KeepMs - 1;
    EXPECT_EQ(firstScheme(), "http"); // answers on the way do not make it last longer
    now += 1;
    EXPECT_EQ(firstScheme(), "https"); // and falls back anew
    const std::int64_t fellBack = now;
    EXPECT_EQ(firstScheme(), "http");
    now = fellBack - 1; // a clock that stepped back (a tick count that wrapped)
    EXPECT_EQ(firstScheme(), "https");
    EXPECT_EQ(firstScheme(), "http");
    memory.Plain.forgetAll(); // the system woke from sleep
    EXPECT_EQ(firstScheme(), "https");
}

TEST(SecureFallback, PlainAddresses) {
    EXPECT_EQ(PlainHttpAddress("https://api.open-meteo.com/v1/forecast?x=1"),
              "http://api.open-meteo.com/v1/forecast?x=1");
    EXPECT_EQ(PlainHttpAddress("HTTPS://127.0.0.1:8642/ipify"), "http://127.0.0.1:8642/ipify");
    for (const char* unchanged : {"http://host/x", "ftp://host", "https:/host", ""})
        EXPECT_EQ(PlainHttpAddress(unchanged), unchanged);
}

TEST(DownloadPlan, PlainAddressesOrLiveJobs) {
    Endpoints endpoints{"http://w", "http://s", "http://m", "http://i", "http://fc", "http://geo", "http://ipify"};
    DownloadPlan plan = PlanFeedDownload(endpoints, "TUXX0014");
    EXPECT_EQ(plan.Address, "http://w/forecastrss/TUXX0014_c.xml");
    EXPECT_FALSE(plan.Live);
    EXPECT_EQ(PlanFeedDownload(endpoints, "TU X#1").Address, "http://w/forecastrss/TU%20X%231_c.xml");
    EXPECT_EQ(PlanSearchDownload(endpoints, "New York").Address,
              "http://s/search/search?where=New%20York");
    EXPECT_EQ(PlanIpDownload(endpoints).Address, "http://i/xml.aspx");

    endpoints.Weather = "live";
    endpoints.Search = "LIVE";
    endpoints.IP = "Live";
    plan = PlanFeedDownload(endpoints, "GN745044");
    ASSERT_TRUE(plan.Live);
    EXPECT_TRUE(plan.Address.empty());
    EXPECT_EQ(plan.Live->Purpose, LivePurpose::Feed);
    EXPECT_EQ(plan.Live->Argument, "GN745044");
    EXPECT_EQ(plan.Live->Bases.ForecastApi, "http://fc");
    EXPECT_EQ(plan.Live->Bases.GeocodingApi, "http://geo");
    EXPECT_EQ(plan.Live->Bases.IpApi, "http://ipify");
    plan = PlanSearchDownload(endpoints, "New York");
    ASSERT_TRUE(plan.Live);
    EXPECT_EQ(plan.Live->Purpose, LivePurpose::Search);
    EXPECT_EQ(plan.Live->Argument, "New York");
    ASSERT_TRUE(PlanIpDownload(endpoints).Live);
    EXPECT_EQ(PlanIpDownload(endpoints).Live->Purpose, LivePurpose::IP);

    for (const char* notLive : {"", "lives", "liv", "http://live", " live"})
        EXPECT_FALSE(IsLiveEndpoint(notLive)) << notLive;
}

TEST(DownloadPlan, UpstreamBasesFromTheEndpointsSection) {
    MemoryProfileStore store;
    SettingsFile file(store);
    Endpoints endpoints = ReadEndpoints(file);
    EXPECT_EQ(endpoints.ForecastApi, "https://api.open-meteo.com");
    EXPECT_EQ(endpoints.GeocodingApi, "https://geocoding-api.open-meteo.com");
    EXPECT_EQ(endpoints.IpApi, "https://api.ipify.org");
    EXPECT_EQ(endpoints.Weather, "live");
    store.writeText("Endpoints", "ForecastApi", "http://127.0.0.1:9000/");
    store.writeText("Endpoints", "IpApi", "http://127.0.0.1:9000/ipify");
    endpoints = ReadEndpoints(file);
    EXPECT_EQ(endpoints.ForecastApi, "http://127.0.0.1:9000");
    EXPECT_EQ(endpoints.IpApi, "http://127.0.0.1:9000/ipify");
    EXPECT_EQ(endpoints.GeocodingApi, "https://geocoding-api.open-meteo.com");
}

TEST(LocationCodes, TurkishProvincesTable) {
    ASSERT_EQ(TurkishProvinceCount, 81u);
    std::set<std::string> codes, plates;
    for (std::size_t i = 0; i < TurkishProvinceCount; ++i) {
        const TurkishProvince& p = TurkishProvinces[i];
        codes.insert(p.Code);
        plates.insert(p.Plate);
        EXPECT_TRUE(p.Latitude > 35 && p.Latitude < 43 && p.Longitude > 25 && p.Longitude < 45) << p.Name;
        EXPECT_EQ(FindProvince(p.Code), &p);
    }
    EXPECT_EQ(codes.size(), 81u);
    EXPECT_EQ(*plates.begin(), "01");
    EXPECT_EQ(*plates.rbegin(), "81");
    const TurkishProvince* istanbul = FindProvince("TUXX0014");
    ASSERT_NE(istanbul, nullptr);
    EXPECT_STREQ(istanbul->Name, "İstanbul");
    EXPECT_DOUBLE_EQ(istanbul->Latitude, 41.01);
    EXPECT_STREQ(FindProvince("TUXX0181")->Name, "Düzce");
    EXPECT_EQ(FindProvince("TUXX001"), nullptr);

    EXPECT_EQ(GeoNamesIdOf(GeoNamesCode(745044)), 745044);
    EXPECT_EQ(GeoNamesIdOf("GN999999999999"), 999999999999);
}

TEST(PlaceCache, SharedBetweenThreads) {
    // The search on the user-interface thread fills the cache while the feed worker reads it.
    PlaceCache places(ThreadLock());
    std::thread writer([&places] {
        for (int i = 0; i < 2000; ++i)
            places.remember("GN" + std::to_string(i % 300 + 1), Place{"P" + std::to_string(i), "", "", 1, 2});
    });
    for (int i = 0; i < 2000; ++i) {
        if (const auto place = places.find("GN" + std::to_string(i % 300 + 1))) {
            EXPECT_EQ(place->Name[0], 'P');
        }
    }
    writer.join();
    EXPECT_EQ(places.size(), 300u);
    for (int i = 0; i < int(PlaceCache::Capacity) + 10; ++i)
        places.remember("K" + std::to_string(i), Place{});
    EXPECT_EQ(places.size(), PlaceCache::Capacity);
}
