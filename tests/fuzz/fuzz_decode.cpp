#include "core/text/Decode.h"

#include <cstdlib>
#include <string>

using namespace meltemix;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = DecodeDocument(bytes);
    // Whatever arrives, the DOM gets well-formed UTF-8, and preparing it again changes
    // nothing.
    if (!IsValidUtf8(text))
        std::abort();
    if (PrepareXmlText(text) != text)
        std::abort();
    return 0;
}
