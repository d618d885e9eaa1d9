#pragma once

#include "core/settings/SettingsFile.h"

namespace meltemix {

// The one settings file of the process, ".\Options.ini" in the working directory; it
// exists before the entry runs and until the process ends.
SettingsFile& AppSettings();

} // namespace meltemix
