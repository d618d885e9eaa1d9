#include "core/weather/FeedParser.h"

#include "core/weather/FeedDates.h"

#include <algorithm>

namespace meltemix {
namespace {

std::string AttributeOrEmpty(const XmlAttributes* attributes, const char* name) {
    if (!attributes)
        return std::string();
    const XmlNodePtr item = attributes->getNamedItem(name);
    return item ? item->text() : std::string();
}

// One field per attribute; a missing attribute empties its field.
struct AttributeField {
    const char* name;
    std::string TWeatherReport::*field;
};

void ReadAttributes(const XmlNode& element, TWeatherReport& report,
                    std::initializer_list<AttributeField> fields) {
    const XmlAttributesPtr attributes = element.attributes();
    for (const AttributeField& f : fields)
        report.*f.field = AttributeOrEmpty(attributes.get(), f.name);
}

void ReadElement(const XmlNode& root, const char* path, TWeatherReport& report,
                 std::initializer_list<AttributeField> fields) {
    const XmlNodePtr element = root.selectSingleNode(path);
    if (element)
        ReadAttributes(*element, report, fields);
}

void ReadElementText(const XmlNode& root, const char* path, std::string& field) {
    const XmlNodePtr element = root.selectSingleNode(path);
    if (element)
        field = element->text();
}

void ReadForecast(const XmlNode& root, TWeatherReport& report) {
    const XmlNodeListPtr list = root.selectNodes("/rss/channel/item/yweather:forecast");
    if (!list)
        return;
    const long count = std::min<long>(list->length(), static_cast<long>(report.Forecast.size()));
    for (long i = 0; i < count; ++i) {
        const XmlNodePtr item = list->item(i);
        if (!item)
            continue;
        const XmlAttributesPtr attributes = item->attributes();
        TForecastDay& slot = report.Forecast[static_cast<std::size_t>(i)];
        slot.Low = AttributeOrEmpty(attributes.get(), "low");
        slot.Day = AttributeOrEmpty(attributes.get(), "day");
        slot.High = AttributeOrEmpty(attributes.get(), "high");
        slot.Code = AttributeOrEmpty(attributes.get(), "code");
    }
}

} // namespace

void ClearReport(TWeatherReport& report) { report = TWeatherReport{}; }

void ParseFeed(TWeatherReport& report, const std::string& feedText,
               const XmlDocumentFactory& createDocument) {
    if (feedText.empty())
        return;
    const std::unique_ptr<XmlDocument> document = createDocument();
    if (!document || !document->loadXml(feedText))
        return;
    const XmlNodePtr root = document->documentElement();
    if (!root)
        return;

    using R = TWeatherReport;
    ReadElementText(*root, "/rss/channel/lastBuildDate", report.LastBuildDate);
    ReadElement(*root, "/rss/channel/yweather:location", report, {{"city", &R::CityName}});
    ReadElement(*root, "/rss/channel/yweather:wind", report,
                {{"chill", &R::Chill}, {"direction", &R::WindDirection}, {"speed", &R::WindSpeed}});
    ReadElement(*root, "/rss/channel/yweather:atmosphere", report,
                {{"humidity", &R::Humidity}, {"visibility", &R::Visibility}});
    ReadElement(*root, "/rss/channel/yweather:astronomy", report,
                {{"sunrise", &R::Sunrise}, {"sunset", &R::Sunset}});
    ReadElementText(*root, "/rss/channel/item/geo:lat", report.Latitude);
    ReadElementText(*root, "/rss/channel/item/geo:long", report.Longitude);
    ReadElement(*root, "/rss/channel/item/yweather:condition", report,
                {{"code", &R::ConditionCode}, {"temp", &R::Temperature}, {"date", &R::ConditionDate}});
    ReadForecast(*root, report);
}

std::string ServerTimeText(const std::string& feedText) {
    static const std::string kMarker = "compressed/chunked ";
    const std::size_t marker = feedText.find(kMarker);
    if (marker == std::string::npos)
        return std::string();
    const std::size_t start = marker + kMarker.size();
    const std::size_t end = feedText.find(" -->", start);
    if (end == std::string::npos)
        return std::string();
    return feedText.substr(start, end - start);
}

void CheckDaysBehind(TWeatherReport& report, const std::string& feedText) {
    SystemTime server;
    if (!ReadServerTime(ServerTimeText(feedText), server))
        return;
    if (server.wHour < 6) {
        report.DaysBehind = false;
        return;
    }
    SystemTime build;
    if (!ReadFeedDate(report.LastBuildDate, build)) {
        // No build time to compare with: do not move the weekday labels on a guess.
        report.DaysBehind = false;
        return;
    }
    if (build.wMinute > 45)
        NextHour(build.wHour);
    report.DaysBehind = static_cast<int>(build.wHour) < static_cast<int>(server.wHour) - 6;
}

} // namespace meltemix
