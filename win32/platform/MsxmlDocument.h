#pragma once

#include "core/xml/XmlDocument.h"

#include <memory>
#include <optional>

namespace meltemix {

// Creates a document of the platform's MSXML DOM ("Microsoft.XMLDOM"), driven by late
// binding only, that loads synchronously, validates nothing and reaches nothing outside
// the text: no external entities or DTDs, and no DTD at all. COM must already be
// initialised on the calling thread; throws XmlDomError when the component cannot be
// created.
std::unique_ptr<XmlDocument> CreateMsxmlDocument();

// The properties of such a document as the DOM reports them; none where it reports none
// (or for a document of another DOM).
struct MsxmlSafety {
    std::optional<bool> Async, ValidateOnParse, ResolveExternals, ProhibitDTD;
};
MsxmlSafety ReadMsxmlSafety(const XmlDocument& document);

} // namespace meltemix
