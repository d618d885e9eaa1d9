#include "core/settings/SettingsFile.h"

#include <cstdlib>
#include <string>

using namespace meltemix;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto value = ParseSettingInteger(text);
    // A value that was read is written back in decimal and must read the same.
    if (value && ParseSettingInteger(std::to_string(*value)) != value)
        std::abort();
    return 0;
}
