#include "core/weather/WholeNumber.h"

#include "core/settings/SettingsFile.h"

namespace meltemix {

// One reader for all integers, so that a code means the same here as in the settings file.
std::optional<std::int32_t> ParseWholeNumber(const std::string& text) {
    return ParseSettingInteger(text);
}

} // namespace meltemix
