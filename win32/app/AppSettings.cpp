#include "AppSettings.h"

#include "core/settings/FallbackProfileStore.h"
#include "win32/platform/Win32ProfileStore.h"

namespace meltemix {
namespace {
Win32ProfileStore folderStore(L".\\Options.ini");
FallbackProfileStore optionsStore(folderStore, [] {
    return Win32ProfileStore::InUserAppData(L"Meltemix\\Options.ini");
});
SettingsFile optionsFile(optionsStore);
} // namespace

SettingsFile& AppSettings() { return optionsFile; }

} // namespace meltemix
