#include "core/provider/GeocodingAnswer.h"

#include "core/provider/JsonValues.h"
#include "core/provider/LocationCode.h"
#include "core/provider/XmlText.h"

namespace meltemix {
namespace {

using json::Value;

bool IsErrorAnswer(const Value& root) {
    const Value* error = json::Member(root, "error");
    return error && error->is_boolean() && error->get<bool>();
}

// A text member without the blanks around it; empty when missing or of another type.
std::string Trimmed(const Value& result, const char* key) {
    const std::string text = json::Text(json::Member(result, key)).value_or("");
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<FoundPlace> ReadResult(const Value& result) {
    const auto id = json::Integer(json::Member(result, "id"));
    const std::string name = Trimmed(result, "name");
    const auto latitude = json::Number(json::Member(result, "latitude"));
    const auto longitude = json::Number(json::Member(result, "longitude"));
    if (!id || *id <= 0 || !GeoNamesIdOf(GeoNamesCode(*id)) || name.empty() ||
        !latitude || !longitude || *latitude < -90 || *latitude > 90 || *longitude < -180 ||
        *longitude > 180)
        return std::nullopt;
    FoundPlace found;
    found.Code = GeoNamesCode(*id);
    found.Where.Name = name;
    found.Where.Region = Trimmed(result, "admin1");
    found.Where.Country = Trimmed(result, "country");
    if (found.Where.Country.empty())
        found.Where.Country = Trimmed(result, "country_code");
    found.Where.Latitude = *latitude;
    found.Where.Longitude = *longitude;
    return found;
}

} // namespace

std::optional<std::vector<FoundPlace>> ReadSearchAnswer(const std::string& answer) {
    const Value root = json::Parse(answer);
    if (!root.is_object() || IsErrorAnswer(root))
        return std::nullopt;
    std::vector<FoundPlace> places;
    const Value* results = json::Member(root, "results");
    if (!results || !results->is_array())
        return places;
    for (const Value& result : *results)
        if (auto found = ReadResult(result))
            places.push_back(std::move(*found));
    return places;
}

std::optional<FoundPlace> ReadPlaceAnswer(const std::string& answer) {
    const Value root = json::Parse(answer);
    if (!root.is_object() || IsErrorAnswer(root))
        return std::nullopt;
    if (const Value* first = json::Element(root, "results", 0))
        return ReadResult(*first);
    return ReadResult(root);
}

std::string SearchDisplayName(const Place& place) {
    std::string text = place.Name;
    const auto add = [&text](const std::string& part) {
        if (!part.empty())
            text += (text.empty() ? "" : ", ") + part;
    };
    if (place.Region != place.Name)
        add(place.Region);
    add(place.Country);
    return text;
}

std::string SearchDocument(const std::vector<FoundPlace>& places) {
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<search ver=\"3.0\">\n";
    for (const FoundPlace& found : places)
        doc += "<loc id=\"" + XmlEscaped(found.Code) + "\" type=\"1\">" +
               XmlEscaped(SearchDisplayName(found.Where)) + "</loc>\n";
    return doc + "</search>\n";
}

} // namespace meltemix
