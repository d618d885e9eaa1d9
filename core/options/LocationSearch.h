#pragma once

#include "core/options/Places.h"
#include "core/provider/DownloadPlan.h"
#include "core/settings/Endpoints.h"
#include "core/xml/XmlDocument.h"

#include <string>

namespace meltemix {

constexpr const char* SearchAgent = "Lodosware XML Search";

// The places of a search answer, in the service's order: each "/search/loc" with its text
// as the name and its "id" attribute as the code. A loc without an id is no place one
// could ask the weather of and is left out. A document that is not well-formed gives no
// places. Throws XmlDomError when no document can be created.
PlaceList ReadSearchResults(const std::string& bytes, const XmlDocumentFactory& createDocument);

// The result count line: "Herhangi bir yer bulunamadı." or "%d yer bulundu.".
std::string SearchCountText(int count);

} // namespace meltemix
