#pragma once

#include "core/settings/SettingsFile.h"

namespace meltemix {

// The one settings file of the process, ".\Options.ini" in the working directory, or
// %APPDATA%\Meltemix\Options.ini where the working directory's file refuses writes; it
// exists before the entry runs and until the process ends.
SettingsFile& AppSettings();

} // namespace meltemix
