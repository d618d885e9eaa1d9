#pragma once

#include <string>

namespace meltemix {

// Alphabetical order of UTF-8 texts by Turkish rules, ignoring case: Ç after C, Ğ after G,
// I (dotless) before İ, Ö after O, Ş after S, Ü after U; I pairs with ı and İ with i. Marks
// and digits come before letters, letters of other alphabets after them.
bool TurkishLessIgnoringCase(const std::string& a, const std::string& b);

} // namespace meltemix
