#include "AppSettings.h"

#include "win32/platform/Win32ProfileStore.h"

namespace meltemix {
namespace {
Win32ProfileStore optionsStore(L".\\Options.ini");
SettingsFile optionsFile(optionsStore);
} // namespace

SettingsFile& AppSettings() { return optionsFile; }

} // namespace meltemix
