#pragma once

#include "core/xml/XmlDocument.h"

#include <memory>

namespace meltemix {

// Creates a document of the platform's MSXML DOM ("Microsoft.XMLDOM"), driven by late
// binding only. COM must already be initialised on the calling thread; throws
// XmlDomError when the component cannot be created.
std::unique_ptr<XmlDocument> CreateMsxmlDocument();

} // namespace meltemix
