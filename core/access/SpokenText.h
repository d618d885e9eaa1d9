#pragma once

#include <string>

namespace meltemix {

// A text of the face or the details window as a screen reader should read it: the symbols a
// voice misreads become words. A minus sign before a number is "eksi", the degree sign
// "derece", a percent sign before a number "yüzde", and the point of a decimal number
// ("19.31", as the feed writes it) "virgül", as Turkish reads a decimal comma. Dotted
// sequences of more than two numbers (an address, a date) stay as they are.
std::string SpokenText(const std::string& text);

} // namespace meltemix
