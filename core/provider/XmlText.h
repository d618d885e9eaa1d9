#pragma once

#include <string>

namespace meltemix {

// UTF-8 text made fit for an attribute value or element content: the five markup
// characters become references, and what XML 1.0 does not allow in a document at all
// (control characters, U+FFFE, U+FFFF) is dropped, except that tabs and line breaks
// become blanks, since names with them would be read back differently. The text is
// expected to be valid UTF-8 (the JSON reader checks).
std::string XmlEscaped(const std::string& text);

} // namespace meltemix
