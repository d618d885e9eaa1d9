// The live provider's search and IP answers, read as the options page and the IP lookup
// read them: "/search/loc" with its id and text, "/data/ip".
#include "core/provider/GeocodingAnswer.h"
#include "core/provider/IpAnswer.h"
#include "core/text/Decode.h"
#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace meltemix;
using meltemix::test::DomFactory;
using meltemix::test::ReadTestData;

namespace {

// (code, name) pairs as the search reads them; none when the document does not load.
std::optional<std::vector<std::pair<std::string, std::string>>> SearchRows(const std::string& document) {
    auto dom = DomFactory()();
    if (!dom->loadXml(DecodeDocument(document)))
        return std::nullopt;
    std::vector<std::pair<std::string, std::string>> rows;
    const XmlNodeListPtr list = dom->documentElement()->selectNodes("/search/loc");
    for (long i = 0; list && i < list->length(); ++i) {
        const XmlNodePtr loc = list->item(i);
        rows.emplace_back(AttributeText(*loc, "id").value_or("<none>"), loc->text());
    }
    return rows;
}

std::vector<std::pair<std::string, std::string>> SearchOf(const std::string& answer) {
    const auto places = ReadSearchAnswer(answer);
    EXPECT_TRUE(places) << answer.substr(0, 40);
    const auto rows = SearchRows(SearchDocument(places.value_or(std::vector<FoundPlace>())));
    EXPECT_TRUE(rows);
    return rows.value_or(std::vector<std::pair<std::string, std::string>>());
}

std::optional<std::string> IpOf(const std::string& answer) {
    const auto document = IpToDocument(answer);
    if (!document)
        return std::nullopt;
    auto dom = DomFactory()();
    // The lookup reads from the declaration on, whatever comes before it.
    std::string text = DecodeDocument(*document);
    if (!dom->loadXml(text))
        return "<not loaded>";
    return SingleNodeText(*dom->documentElement(), "/data/ip");
}

} // namespace

TEST(LiveSearch, IstanbulWithTurkishNames) {
    const auto rows = SearchOf(ReadTestData("geocoding_istanbul.json"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].first, "GN745044");
    EXPECT_EQ(rows[0].second, "İstanbul, Türkiye"); // the region repeats the name
}

TEST(LiveSearch, ResultsInOrderWithoutTheUnusableOnes) {
    const auto rows = SearchOf(ReadTestData("geocoding_paris.json"));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"GN2988507", "Paris, Île-de-France, Fransa"},
        {"GN4717560", "Paris, Teksas, Amerika Birleşik Devletleri"},
        {"GN3703358", "Paris, PA"}, // no region, only the country code
        {"GN6942553", "Paris <Rive> & \"Gauche\", Île-de-France, Fransa"},
    };
    EXPECT_EQ(rows, expected);

    const auto places = ReadSearchAnswer(ReadTestData("geocoding_paris.json"));
    ASSERT_EQ(places->size(), 4u);
    EXPECT_DOUBLE_EQ((*places)[1].Where.Latitude, 33.66094);
    EXPECT_DOUBLE_EQ((*places)[1].Where.Longitude, -95.55551);
    EXPECT_EQ((*places)[1].Where.Region, "Teksas");
}

TEST(LiveSearch, NothingFound) {
    for (const char* answer : {"{\"generationtime_ms\":0.4}", "{\"results\":[]}",
                               "{\"results\":{}}", "{\"results\":[1,\"x\",null,{}]}",
                               "{\"results\":[{\"id\":0,\"name\":\"Zero\",\"latitude\":1,\"longitude\":1}]}",
                               "{\"results\":[{\"id\":1,\"name\":\"\",\"latitude\":1,\"longitude\":1}]}",
                               "{\"results\":[{\"id\":1,\"name\":\"Far\",\"latitude\":1,\"longitude\":181}]}",
                               "{\"results\":[{\"id\":1e13,\"name\":\"Big\",\"latitude\":1,\"longitude\":1}]}"})
        EXPECT_TRUE(SearchOf(answer).empty()) << answer;
    // An empty list is still a search answer: the page then says nothing was found.
    const auto rows = SearchRows(SearchDocument({}));
    ASSERT_TRUE(rows);
    EXPECT_TRUE(rows->empty());
}

TEST(LiveSearch, AnswersThatAreNoSearchAnswer) {
    for (const char* answer : {"", "garbage", "[]", "{\"error\":true,\"reason\":\"x\"}",
                               "{\"results\":[", "<search><loc id=\"X\">x</loc></search>"})
        EXPECT_FALSE(ReadSearchAnswer(answer)) << answer;
}

TEST(LivePlace, LookUpById) {
    const auto found = ReadPlaceAnswer(ReadTestData("geocoding_get.json"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Code, "GN3833367");
    EXPECT_EQ(found->Where.Name, "Ushuaia");
    EXPECT_EQ(found->Where.Region, "Tierra del Fuego");
    EXPECT_EQ(found->Where.Country, "Arjantin");
    EXPECT_DOUBLE_EQ(found->Where.Latitude, -54.8);

    // Also when wrapped as a search answer.
    const auto wrapped = ReadPlaceAnswer(ReadTestData("geocoding_istanbul.json"));
    ASSERT_TRUE(wrapped);
    EXPECT_EQ(wrapped->Code, "GN745044");

    for (const char* answer : {"{}", "{\"error\":true,\"reason\":\"Not found\"}", "{\"results\":[]}",
                               "{\"id\":5,\"name\":\"No place\"}", "x"})
        EXPECT_FALSE(ReadPlaceAnswer(answer)) << answer;
}

TEST(LiveIp, ReadThroughTheIpPath) {
    EXPECT_EQ(IpOf(ReadTestData("ipify.json")), "203.0.113.7");
    EXPECT_EQ(IpOf("{\"ip\":\"2001:db8::8a2e:370:7334\"}"), "2001:db8::8a2e:370:7334");
    for (const char* answer : {"", "{}", "{\"ip\":\"\"}", "{\"ip\":7}", "{\"ip\":null}",
                               "{\"ip\":\"<b>1.2.3.4</b>\"}", "{\"ip\":\"1.2.3.4 \"}",
                               "203.0.113.7", "{\"ip\":\"203.0.113.7\""})
        EXPECT_FALSE(IpOf(answer)) << answer;
}

TEST(LiveSearch, TextsAnXmlDocumentCannotHoldAreDropped) {
    // JSON may carry any character; a document that the DOM refuses would lose every place.
    const auto rows = SearchOf(
        "{\"results\":[{\"id\":1,\"name\":\"A\\u0000B\\u0007\\nC\\uFFFE\\uFFFF.\",\"admin1\":\"\\t\","
        "\"latitude\":1,\"longitude\":1}]}");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].second, "AB C.");
}
