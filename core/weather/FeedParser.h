#pragma once

#include "core/weather/WeatherReport.h"
#include "core/xml/XmlDocument.h"

#include <string>

namespace meltemix {

// Empties every text of the report, CityName and the five forecast slots included, and
// clears DaysBehind.
void ClearReport(TWeatherReport& report);

// Fills the fields that the feed document supplies and leaves the others as they are.
// An element without one of the attributes read from it leaves that field empty; of
// more than five forecast elements the first five fill the slots. Nothing is read from an
// empty text or one that is not a well-formed document. `feedText` is UTF-8 (see
// DecodeDocument). Only a failure to create the document escapes (XmlDomError).
void ParseFeed(TWeatherReport& report, const std::string& feedText,
               const XmlDocumentFactory& createDocument);

// The server's clock cut out of the trailing comment of the feed: the text after
// "compressed/chunked " up to " -->", or empty when either is missing.
std::string ServerTimeText(const std::string& feedText);

// Compares the feed's build time with the server's clock: a feed built more than six
// hours behind the server (after six in the morning) is a day behind. Without a server
// time the flag keeps its value; with one but no build date it becomes false.
void CheckDaysBehind(TWeatherReport& report, const std::string& feedText);

} // namespace meltemix
