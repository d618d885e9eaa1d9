#include "XmlTestSupport.h"
#include "core/options/LocationSearch.h"

#include <gtest/gtest.h>

#include <string>

using namespace meltemix;

namespace {

TEST(LocationSearch, PlainAddressIsEncodedTheLiveProviderGetsTheText) {
    Endpoints endpoints;
    endpoints.Search = "http://127.0.0.1:8642";
    const DownloadPlan plain = PlanSearchDownload(endpoints, "İzmir Çeşme");
    EXPECT_FALSE(plain.Live);
    EXPECT_EQ(plain.Address,
              "http://127.0.0.1:8642/search/search?where=%C4%B0zmir%20%C3%87e%C5%9Fme");

    endpoints.Search = "Live";
    const DownloadPlan live = PlanSearchDownload(endpoints, "İzmir Çeşme");
    ASSERT_TRUE(live.Live);
    EXPECT_EQ(live.Live->Purpose, LivePurpose::Search);
    EXPECT_EQ(live.Live->Argument, "İzmir Çeşme");
}

TEST(LocationSearch, AnswerGivesPlacesInTheServicesOrder) {
    const std::string answer =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!--xoap-->\n<search ver=\"3.0\">"
        "<loc id=\"USNY0996\" type=\"1\">New York, NY</loc>"
        "<loc type=\"1\">Nowhere without a code</loc>"
        "<loc id=\"\" type=\"1\">Empty code</loc>"
        "<loc id=\"UKXX0085\" type=\"1\">  London, United Kingdom </loc>"
        "<other id=\"XXXX0000\">not a place</other>"
        "</search>";
    const PlaceList places = ReadSearchResults(answer, test::DomFactory());
    EXPECT_EQ(places, (PlaceList{{"New York, NY", "USNY0996"},
                                 {"Empty code", ""},
                                 {"London, United Kingdom", "UKXX0085"}}));
}

TEST(LocationSearch, TurkishNamesSurviveTheAnswersEncoding) {
    const std::string windows1254 =
        "<?xml version=\"1.0\" encoding=\"windows-1254\"?>"
        "<search><loc id=\"TUXX0163\">\xDE" "anl\xFD" "urfa</loc></search>";
    EXPECT_EQ(ReadSearchResults(windows1254, test::DomFactory()),
              (PlaceList{{"Şanlıurfa", "TUXX0163"}}));

    const std::string utf8WithMark = "\xEF\xBB\xBF<search><loc id=\"TUXX0176\">Iğdır</loc></search>";
    EXPECT_EQ(ReadSearchResults(utf8WithMark, test::DomFactory()),
              (PlaceList{{"Iğdır", "TUXX0176"}}));
}

TEST(LocationSearch, AnswersWithoutPlaces) {
    const char* answers[] = {
        "",
        "<html><body>404 Not Found</body></html>",
        "<search><loc id=\"TUXX0014\">Istanbul</loc>", // cut short
        "<search ver=\"3.0\"></search>",
        "<error><loc id=\"TUXX0014\">Istanbul</loc></error>",
        "\x89PNG\r\n\x1a\n\x00garbage",
    };
    for (const char* answer : answers)
        EXPECT_TRUE(ReadSearchResults(answer, test::DomFactory()).empty()) << answer;
}

} // namespace
