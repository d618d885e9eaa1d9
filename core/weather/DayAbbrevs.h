#pragma once

#include <array>
#include <string>

namespace meltemix {

// Weekday abbreviations, Sunday first: the forecast tiles' Turkish labels and the feed's
// English names.
extern const std::array<const char*, 7> DayAbbrevs;
extern const std::array<const char*, 7> EnglishDayAbbrevs;

// Turkish label of the feed's English weekday ("wed" -> "ÇRŞ"); empty (no label) for a
// text that names no weekday.
std::string TurkishDayAbbrev(const std::string& englishDay);

// The English weekday after the given one ("Sat" -> "Sun"); empty for a text that names
// no weekday.
std::string NextDayAbbrev(const std::string& englishDay);

} // namespace meltemix
