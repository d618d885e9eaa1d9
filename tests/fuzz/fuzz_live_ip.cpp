// Any IP echo answer either gives no document or one whose "/data/ip" reads.
#include "core/provider/IpAnswer.h"
#include "core/text/Decode.h"
#include "native/pugi/PugiXmlDocument.h"

#include <string>

using namespace meltemix;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const auto document = IpToDocument(std::string(reinterpret_cast<const char*>(data), size));
    if (!document)
        return 0;
    auto dom = CreatePugiXmlDocument();
    if (!dom->loadXml(DecodeDocument(*document)) ||
        !SingleNodeText(*dom->documentElement(), "/data/ip"))
        __builtin_trap();
    return 0;
}
