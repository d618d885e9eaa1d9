#include "XmlTestSupport.h"

#include "win32/platform/MsxmlDocument.h"

namespace meltemix::test {

XmlDocumentFactory DomFactory() { return CreateMsxmlDocument; }

} // namespace meltemix::test
