#include "core/options/Shortcuts.h"

namespace meltemix {
namespace {

void Synchronise(ShellLinks& shell, const std::string& folder, bool wanted) {
    if (folder.empty())
        return;
    const std::string path = folder + "\\" + ShortcutFileName;
    const bool present = shell.fileExists(path);
    if (wanted && !present)
        shell.createShortcut(path);
    else if (!wanted && present)
        shell.deleteFile(path);
}

} // namespace

void SynchroniseShortcuts(ShellLinks& shell, const ShortcutTicks& ticks) {
    const std::string desktop = shell.folderPath(SpecialFolder::Desktop);
    const std::string startup = shell.folderPath(SpecialFolder::Startup);
    std::string quickLaunch = shell.folderPath(SpecialFolder::ApplicationData);
    if (!quickLaunch.empty())
        quickLaunch += QuickLaunchSubfolder;

    Synchronise(shell, desktop, ticks.desktop);
    Synchronise(shell, startup, ticks.startup);
    Synchronise(shell, quickLaunch, ticks.quickLaunch);
}

} // namespace meltemix
