#pragma once

#include "core/xml/XmlDocument.h"

#include <string>

namespace meltemix::test {

// The platform's DOM for the shared cases: pugixml natively, MSXML under Windows.
XmlDocumentFactory DomFactory();

// The bytes of a file in tests/unit/data.
std::string ReadTestData(const std::string& name);

} // namespace meltemix::test
