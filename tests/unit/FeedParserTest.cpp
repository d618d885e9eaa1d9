#include "core/text/Decode.h"
#include "core/weather/FeedParser.h"
#include "XmlTestSupport.h"

#include <gtest/gtest.h>

using namespace meltemix;
using meltemix::test::DomFactory;
using meltemix::test::ReadTestData;

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        throw std::runtime_error("fixture lacks " + from);
    return text.replace(at, from.size(), to);
}

std::string Istanbul() { return DecodeDocument(ReadTestData("istanbul.xml")); }

// The arrival sequence of the main window; CityName starts with a stale value.
TWeatherReport Arrive(const std::string& feed) {
    TWeatherReport report;
    report.CityName = "Eski";
    report.DaysBehind = true;
    ClearReport(report);
    ParseFeed(report, feed, DomFactory());
    CheckDaysBehind(report, feed);
    return report;
}

bool IsEmpty(const TWeatherReport& r) {
    bool same = r.LastBuildDate.empty() && r.CityName.empty() && r.Chill.empty() &&
                r.WindDirection.empty() && r.WindSpeed.empty() && r.Humidity.empty() &&
                r.Visibility.empty() && r.Sunrise.empty() && r.Sunset.empty() &&
                r.Latitude.empty() && r.Longitude.empty() && r.ConditionCode.empty() &&
                r.Temperature.empty() && r.ConditionDate.empty() && !r.DaysBehind;
    for (const TForecastDay& day : r.Forecast)
        same = same && day.Day.empty() && day.Low.empty() && day.High.empty() && day.Code.empty();
    return same;
}

} // namespace

TEST(FeedParser, ReadsTheWholeFeed) {
    const TWeatherReport r = Arrive(Istanbul());
    EXPECT_EQ(r.LastBuildDate, "Mon, 07 Dec 2026 7:50 am EET");
    EXPECT_EQ(r.CityName, "Istanbul");
    EXPECT_EQ(r.Chill, "9");
    EXPECT_EQ(r.WindDirection, "210");
    EXPECT_EQ(r.WindSpeed, "14.48");
    EXPECT_EQ(r.Humidity, "82");
    EXPECT_EQ(r.Visibility, "999");
    EXPECT_EQ(r.Sunrise, "7:14 am");
    EXPECT_EQ(r.Sunset, "4:37 pm");
    EXPECT_EQ(r.Latitude, "40.97");
    EXPECT_EQ(r.Longitude, "28.82");
    EXPECT_EQ(r.ConditionCode, "11");
    EXPECT_EQ(r.Temperature, "11");
    EXPECT_EQ(r.ConditionDate, "Mon, 07 Dec 2026 7:50 am EET");
    const char* days[] = {"Mon", "Tue", "Wed", "Thu", "Fri"};
    const char* lows[] = {"9", "8", "7", "5", "4"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(r.Forecast[i].Day, days[i]);
        EXPECT_EQ(r.Forecast[i].Low, lows[i]);
    }
    EXPECT_EQ(r.Forecast[4].High, "9");
    EXPECT_EQ(r.Forecast[4].Code, "32");
    EXPECT_FALSE(r.DaysBehind);
}

TEST(FeedParser, ForecastCountsOtherThanFive) {
    const std::string feed = Istanbul();
    const std::size_t afterSecond = feed.find("<yweather:forecast", feed.find("day=\"Tue\""));
    const std::size_t end = feed.find("<guid");
    const std::string two = feed.substr(0, afterSecond) + feed.substr(end);
    TWeatherReport r = Arrive(two);
    EXPECT_EQ(r.Forecast[1].Day, "Tue");
    for (int i = 2; i < 5; ++i)
        EXPECT_TRUE(r.Forecast[i].Day.empty() && r.Forecast[i].Code.empty()) << i;

    const std::string seven =
        feed.substr(0, end) +
        "<yweather:forecast day=\"Sat\" low=\"1\" high=\"2\" code=\"3\"/>\n"
        "<yweather:forecast day=\"Sun\" low=\"1\" high=\"2\" code=\"3\"/>\n" + feed.substr(end);
    r = Arrive(seven);
    EXPECT_EQ(r.Forecast[0].Day, "Mon");
    EXPECT_EQ(r.Forecast[4].Day, "Fri");
}

TEST(FeedParser, MissingPartsLeaveOnlyTheirFieldsEmpty) {
    const std::string feed = Istanbul();
    TWeatherReport r =
        Arrive(Replace(feed, "<yweather:wind chill=\"9\"   direction=\"210\"   speed=\"14.48\" />", ""));
    EXPECT_TRUE(r.Chill.empty() && r.WindDirection.empty() && r.WindSpeed.empty());
    EXPECT_EQ(r.Humidity, "82");
    EXPECT_EQ(r.CityName, "Istanbul");

    r = Arrive(Replace(Replace(feed, "direction=\"210\"", ""), "low=\"8\"", ""));
    EXPECT_EQ(r.Chill, "9");
    EXPECT_TRUE(r.WindDirection.empty());
    EXPECT_EQ(r.WindSpeed, "14.48");
    EXPECT_TRUE(r.Forecast[1].Low.empty());
    EXPECT_EQ(r.Forecast[1].High, "14");
}

TEST(FeedParser, DocumentsThatGiveNothing) {
    const std::string feed = Istanbul();
    const std::string undeclared =
        Replace(feed,
                " xmlns:yweather=\"http://xml.weather.yahoo.com/ns/rss/1.0\" "
                "xmlns:geo=\"http://www.w3.org/2003/01/geo/wgs84_pos#\"",
                "");
    const std::string cases[] = {
        "",
        "<html><head><title>404 Not Found</title></head><body><p>Not found<br></body></html>",
        "<!DOCTYPE html><html><body><h1>503</h1></body></html>",
        feed.substr(0, feed.size() / 2), // cut off mid-way
        "\xFF\xFE garbage",
        undeclared, // a namespace-aware DOM refuses it; both adapters do
    };
    for (const std::string& text : cases)
        EXPECT_TRUE(IsEmpty(Arrive(text))) << text.substr(0, 60);
}

TEST(FeedParser, TurkishCityNameSurvivesEitherEncoding) {
    const std::string utf8 = Replace(ReadTestData("istanbul.xml"), "city=\"Istanbul\"",
                                     "city=\"\xC4\xB0zmir\"");
    EXPECT_EQ(Arrive(DecodeDocument(utf8)).CityName, "\xC4\xB0zmir");
    EXPECT_EQ(Arrive(DecodeDocument(ReadTestData("izmir-1254.xml"))).CityName, "\xC4\xB0zmir");
}

TEST(FeedParser, ByteOrderMarksAndLeadingBlanks) {
    const std::string bytes = ReadTestData("istanbul.xml");
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char c : std::string("\r\n  ") + bytes) {
        le += c, le += '\0';
        be += '\0', be += c;
    }
    for (const std::string& variant : {"\xEF\xBB\xBF" + bytes, "\n \t" + bytes, le, be}) {
        const TWeatherReport r = Arrive(DecodeDocument(variant));
        EXPECT_EQ(r.CityName, "Istanbul");
        EXPECT_EQ(r.Forecast[4].Day, "Fri");
    }
}

namespace {

struct BehindCase {
    const char* build;
    const char* server;
    bool expected;
};

class DaysBehind : public testing::TestWithParam<BehindCase> {};

TEST_P(DaysBehind, ComparesBuildAndServerHours) {
    TWeatherReport r;
    r.DaysBehind = !GetParam().expected;
    r.LastBuildDate = GetParam().build;
    CheckDaysBehind(r, std::string("</rss>\n<!-- x compressed/chunked ") + GetParam().server + " -->");
    EXPECT_EQ(r.DaysBehind, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Hours, DaysBehind,
    testing::Values(BehindCase{"Mon, 07 Dec 2026 7:50 am EET", "Mon Dec 7 14:00:00 PST 2026", false},
                    BehindCase{"Mon, 07 Dec 2026 7:30 am EET", "Mon Dec 7 14:00:00 PST 2026", true},
                    BehindCase{"Mon, 07 Dec 2026 11:46 pm EET", "Mon Dec 7 23:00:00 PST 2026", true},
                    BehindCase{"Mon, 07 Dec 2026 11:45 pm EET", "Mon Dec 7 23:00:00 PST 2026", false},
                    BehindCase{"Mon, 07 Dec 2026 12:10 am EET", "Mon Dec 7 05:59:00 PST 2026", false},
                    BehindCase{"Mon, 07 Dec 2026 12:10 am EET", "Mon Dec 7 06:59:00 PST 2026", false},
                    BehindCase{"Mon, 07 Dec 2026 12:10 am EET", "Mon Dec 7 07:00:00 PST 2026", true},
                    BehindCase{"", "Mon Dec 7 20:00:00 PST 2026", false}));

} // namespace

TEST(DaysBehind, WithoutServerTimeTheFlagKeepsItsValue) {
    TWeatherReport r;
    r.LastBuildDate = "Mon, 07 Dec 2026 1:00 am";
    for (const char* feed : {"", "<!-- compressed/chunked Mon Dec 7 20:00:00 PST 2026",
                             "<!-- Compressed/chunked Mon Dec 7 20:00:00 PST 2026 -->"}) {
        r.DaysBehind = true;
        CheckDaysBehind(r, feed);
        EXPECT_TRUE(r.DaysBehind) << feed;
        EXPECT_EQ(ServerTimeText(feed), "");
    }
    EXPECT_EQ(ServerTimeText("a compressed/chunked Mon Dec  7 06:21:12 PST 2026 --> b -->"),
              "Mon Dec  7 06:21:12 PST 2026");
}
