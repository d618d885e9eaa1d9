#include "core/provider/ForecastFeed.h"

#include "core/provider/FeedTimeForms.h"
#include "core/provider/JsonValues.h"
#include "core/provider/NumberText.h"
#include "core/provider/WmoCodes.h"
#include "core/provider/XmlElement.h"
#include "core/weather/DateTime.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace meltemix {
namespace {

using json::Value;

constexpr std::size_t kForecastDays = 5;
constexpr int kMinutesPerDay = 24 * 60;

std::optional<std::string> Whole(const Value* value) {
    const auto number = json::Number(value);
    return number ? WholeText(*number) : std::nullopt;
}

std::optional<std::string> WholeNotNegative(const Value* value, double divisor = 1) {
    const auto number = json::Number(value);
    if (!number || *number < 0)
        return std::nullopt;
    return WholeText(*number / divisor);
}

// The forecast server dates its sun times: a sunset after midnight carries the next day's
// date, polar day runs from today 00:00 to tomorrow 00:00 and polar night is today 00:00
// twice. The feed holds a clock time only, read as today's, so a time on another date is
// the end of today it lies beyond: 12:00 am before today, 11:59 pm after it. The face's day
// from sunrise to sunset then is the time the sun is up today.
std::optional<std::string> SunClock(const Value* value, std::int64_t today) {
    const auto text = json::Text(value);
    const auto time = text ? ReadIsoDateTime(*text) : std::nullopt;
    if (!time)
        return std::nullopt;
    int minutes = time->Minutes;
    if (time->Days < today)
        minutes = 0;
    else if (time->Days > today)
        minutes = kMinutesPerDay - 1;
    return FeedClockText(minutes);
}

std::string Code(const Value* wmo, bool day) {
    return std::to_string(ConditionCodeForWmo(json::Integer(wmo), day));
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The zone as the service abbreviates it ("EET", "GMT+3", "+03", "-03"); from the offset
// when it gives none ("GMT+3", "GMT+5:30", "GMT"); empty when it gives neither.
std::string ZoneText(const Value& root) {
    const std::string abbreviation =
        Trimmed(json::Text(json::Member(root, "timezone_abbreviation")).value_or(""));
    if (!abbreviation.empty())
        return abbreviation;
    const auto offset = json::Integer(json::Member(root, "utc_offset_seconds"));
    if (!offset || std::llabs(*offset) >= 24 * 3600)
        return std::string();
    if (*offset == 0)
        return "GMT";
    const std::int64_t minutes = std::llabs(*offset) / 60;
    std::string text = std::string("GMT") + (*offset < 0 ? '-' : '+') + std::to_string(minutes / 60);
    if (minutes % 60)
        text += ':' + std::string(minutes % 60 < 10 ? "0" : "") + std::to_string(minutes % 60);
    return text;
}

// The server-time reader skips a zone only when it is one word; "+03" would be read
// where the year belongs, so such a zone is left out of the comment.
bool IsOneWord(const std::string& zone) {
    if (zone.empty())
        return false;
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!letter(zone[0]))
        return false;
    for (const char c : zone)
        if (!letter(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

// The clock of the trailing comment. The feed reader rounds a build time past the 45th
// minute up to the next hour; the comment does the same, so that it never reads as ahead
// of the build time, midnight included.
LocalDateTime ServerClock(LocalDateTime observed) {
    if (observed.Minutes % 60 <= 45)
        return observed;
    observed.Minutes = (observed.Minutes / 60 + 1) * 60;
    if (observed.Minutes >= kMinutesPerDay) {
        // The last day of the calendar has no next one; an hour before six never reads
        // as behind either.
        if (!DecodeDateTime(static_cast<double>(observed.Days + 1)))
            return LocalDateTime{observed.Days, 0};
        observed.Days += 1;
        observed.Minutes = 0;
    }
    return observed;
}

struct ForecastDay {
    std::size_t Index; // into the daily arrays
    std::int64_t Date;
};

std::vector<ForecastDay> ChooseDays(const Value& daily, std::optional<std::int64_t> today) {
    std::vector<ForecastDay> days;
    for (std::size_t i = 0; days.size() < kForecastDays; ++i) {
        const Value* entry = json::Element(daily, "time", i);
        if (!entry)
            break;
        const auto text = json::Text(entry);
        const auto date = text ? ReadIsoDate(*text) : std::nullopt;
        if (!date || (today && *date < *today))
            continue;
        days.push_back({i, *date});
    }
    return days;
}

} // namespace

std::optional<std::string> ForecastToFeed(const std::string& answer, const Place& place) {
    const Value root = json::Parse(answer);
    if (!root.is_object())
        return std::nullopt;
    const Value* error = json::Member(root, "error");
    if (error && error->is_boolean() && error->get<bool>())
        return std::nullopt;
    static const Value kNone = Value::object();
    const Value* currentMember = json::Member(root, "current");
    const Value* dailyMember = json::Member(root, "daily");
    const bool hasCurrent = currentMember && currentMember->is_object();
    const bool hasDaily = dailyMember && dailyMember->is_object();
    if (!hasCurrent && !hasDaily)
        return std::nullopt;
    const Value& current = hasCurrent ? *currentMember : kNone;
    const Value& daily = hasDaily ? *dailyMember : kNone;

    const std::string zone = ZoneText(root);
    const auto observedText = json::Text(json::Member(current, "time"));
    const auto observed = observedText ? ReadIsoDateTime(*observedText) : std::nullopt;
    const auto isDay = json::Integer(json::Member(current, "is_day"));
    const bool day = !isDay || *isDay != 0;

    std::optional<std::string> observedFeedDate;
    if (observed)
        observedFeedDate = FeedDateText(*observed, zone);
    const std::vector<ForecastDay> days =
        ChooseDays(daily, observed ? std::optional<std::int64_t>(observed->Days) : std::nullopt);
    const ForecastDay* today = nullptr;
    if (!days.empty() && (!observed || days.front().Date == observed->Days))
        today = &days.front();

    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<rss version=\"2.0\" xmlns:yweather=\"urn:meltemix:weather\" "
                      "xmlns:geo=\"http://www.w3.org/2003/01/geo/wgs84_pos#\">\n<channel>\n";
    const auto line = [&doc](const std::string& text) { doc += text + '\n'; };
    const auto element = [&line](const XmlElement& e) {
        if (e.hasAttributes())
            line(e.text());
    };
    const auto notEmpty = [](const std::string& text) {
        return text.empty() ? std::nullopt : std::optional<std::string>(text);
    };

    line(TextElement("title", "Meltemix! - " + place.Name));
    if (observedFeedDate)
        line(TextElement("lastBuildDate", *observedFeedDate));
    element(XmlElement("yweather:location")
                .attribute("city", notEmpty(place.Name))
                .attribute("region", notEmpty(place.Region))
                .attribute("country", notEmpty(place.Country)));
    line(XmlElement("yweather:units")
             .attribute("temperature", "C")
             .attribute("distance", "km")
             .attribute("pressure", "mb")
             .attribute("speed", "km/h")
             .text());
    element(XmlElement("yweather:wind")
                .attribute("chill", Whole(json::Member(current, "apparent_temperature")))
                .attribute("direction", WholeNotNegative(json::Member(current, "wind_direction_10m")))
                .attribute("speed", WholeNotNegative(json::Member(current, "wind_speed_10m"))));
    const auto pressure = json::Number(json::Member(current, "pressure_msl"));
    element(XmlElement("yweather:atmosphere")
                .attribute("humidity", WholeNotNegative(json::Member(current, "relative_humidity_2m")))
                .attribute("visibility", WholeNotNegative(json::Member(current, "visibility"), 10))
                .attribute("pressure", pressure ? FixedText(*pressure, 2) : std::nullopt)
                // The answer has no trend; steady is the feed's neutral value.
                .attribute("rising", pressure ? std::optional<std::string>("0") : std::nullopt));
    if (today) {
        const auto sun = [&](const char* key) {
            return SunClock(json::Element(daily, key, today->Index), today->Date);
        };
        element(XmlElement("yweather:astronomy")
                    .attribute("sunrise", sun("sunrise"))
                    .attribute("sunset", sun("sunset")));
    }

    line("<item>");
    if (const auto latitude = FixedText(place.Latitude, 2))
        line(TextElement("geo:lat", *latitude));
    if (const auto longitude = FixedText(place.Longitude, 2))
        line(TextElement("geo:long", *longitude));
    if (observedFeedDate)
        line(TextElement("pubDate", *observedFeedDate));
    if (hasCurrent)
        element(XmlElement("yweather:condition")
                    .attribute("code", Code(json::Member(current, "weather_code"), day))
                    .attribute("temp", Whole(json::Member(current, "temperature_2m")))
                    .attribute("date", observedFeedDate));
    for (const ForecastDay& d : days)
        element(XmlElement("yweather:forecast")
                    .attribute("day", DayAbbrevText(d.Date))
                    .attribute("date", ForecastDateText(d.Date))
                    .attribute("low", Whole(json::Element(daily, "temperature_2m_min", d.Index)))
                    .attribute("high", Whole(json::Element(daily, "temperature_2m_max", d.Index)))
                    .attribute("code", Code(json::Element(daily, "weather_code", d.Index), true)));
    line("</item>\n</channel>\n</rss>");
    if (observed) {
        const LocalDateTime server = ServerClock(*observed);
        doc += "<!-- meltemix live compressed/chunked " +
               ServerClockText(server, IsOneWord(zone) ? zone : std::string()) + " -->\n";
    }
    return doc;
}

std::optional<Place> ForecastAnswerPlace(const std::string& answer) {
    const Value root = json::Parse(answer);
    const auto latitude = json::Number(json::Member(root, "latitude"));
    const auto longitude = json::Number(json::Member(root, "longitude"));
    if (!latitude || !longitude || std::fabs(*latitude) > 90 || std::fabs(*longitude) > 180)
        return std::nullopt;
    Place place;
    place.Latitude = *latitude;
    place.Longitude = *longitude;
    return place;
}

} // namespace meltemix
