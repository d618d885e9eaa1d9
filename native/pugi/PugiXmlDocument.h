#pragma once

#include "core/xml/XmlDocument.h"

#include <memory>

namespace meltemix {

// The DOM on pugixml, for tests and tools on Linux. It refuses what the platform's DOM
// refuses and pugixml would let through (several root elements, a repeated attribute,
// an undeclared prefix), and reads element text the same way (all text below the
// element, blanks at either end removed).
std::unique_ptr<XmlDocument> CreatePugiXmlDocument();

} // namespace meltemix
