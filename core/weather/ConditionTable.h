#pragma once

#include <array>
#include <string>

namespace meltemix {

// One row of the condition table, indexed by the feed's condition code.
struct TWeatherIcons {
    const char* IconName;    // big picture, file name without ".png"
    bool HasSky;             // the sun or the moon shows behind the big picture
    const char* Description; // Turkish condition text
};

constexpr int ConditionRowCount = 50;
constexpr int UnknownConditionRow = 49; // the row for a code that cannot be read
constexpr int NotAvailableCode = 3200;  // the feed's "not available"

extern const std::array<TWeatherIcons, ConditionRowCount> WeatherIcons;
extern const std::array<const char*, ConditionRowCount> TinyIcons;

// What shows behind the big condition picture: the sun or the moon (chosen by the time of
// day), the plain picture "None", or the picture "Earth".
enum class TBackdrop { bdSky, bdPlain, bdEarth };

// Every code text, however odd, lands on a row of the table or on a fixed answer; none of
// these index outside it.

// Condition text of the report: empty for an empty code, "Bilinmiyor" for anything that is
// not a code of the table.
std::string ConditionText(const std::string& code);

// Backdrop of the big picture; 3200 is shown as a clear sky (row 32).
TBackdrop BigIconBackdrop(const std::string& code);

// Base name of the big condition picture; "None" for any code outside the table.
std::string BigIconName(const std::string& code);

// Hint of a forecast tile; empty (no hint) for an empty code, "Bilinmiyor" for anything
// that is not a code of the table.
std::string ForecastTileHint(const std::string& code);

// Base name of a forecast tile's small picture; empty (no picture) for an empty code. A
// text that is not a number shows row 0; a number outside the table shows row 49.
std::string ForecastTileIcon(const std::string& code);

} // namespace meltemix
