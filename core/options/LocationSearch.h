#pragma once

#include "core/options/Places.h"
#include "core/xml/XmlDocument.h"

#include <string>

namespace meltemix {

constexpr const char* SearchAgent = "Lodosware XML Search";

// Percent-encodes every byte of the UTF-8 text except ASCII letters, digits and "-._~",
// so that blanks and Turkish letters reach the service as a valid query.
std::string PercentEncode(const std::string& text);

// The location search's address on the service at `base` (no trailing slash).
std::string SearchAddress(const std::string& base, const std::string& text);

// The places of a search answer, in the service's order: each "/search/loc" with its text
// as the name and its "id" attribute as the code. A loc without an id is no place one
// could ask the weather of and is left out. A document that is not well-formed gives no
// places. Throws XmlDomError when no document can be created.
PlaceList ReadSearchAnswer(const std::string& bytes, const XmlDocumentFactory& createDocument);

// The result count line: "Herhangi bir yer bulunamadı." or "%d yer bulundu.".
std::string SearchCountText(int count);

} // namespace meltemix
