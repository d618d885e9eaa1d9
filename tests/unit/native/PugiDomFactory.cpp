#include "XmlTestSupport.h"

#include "native/pugi/PugiXmlDocument.h"

namespace meltemix::test {

XmlDocumentFactory DomFactory() { return CreatePugiXmlDocument; }

} // namespace meltemix::test
