#pragma once

#include <string>

namespace meltemix {

enum class SpecialFolder { Desktop, Startup, ApplicationData };

// What the shell offers for the program's shortcuts. Paths are UTF-8.
class ShellLinks {
public:
    virtual ~ShellLinks() = default;
    // The folder's path without a trailing backslash; empty when the shell cannot name it.
    virtual std::string folderPath(SpecialFolder folder) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // A shortcut to the running program. Throws when the shell's link object cannot be
    // created; a link that cannot be saved is simply not there afterwards.
    virtual void createShortcut(const std::string& path) = 0;
    // A failure leaves the file where it is, without a word.
    virtual void deleteFile(const std::string& path) = 0;
};

// Which shortcuts should exist: the three ticks of the options dialog.
struct ShortcutTicks {
    bool desktop = false;
    bool startup = false;
    bool quickLaunch = false;
};

constexpr const char* ShortcutFileName = "Meltemix!.lnk";
constexpr const char* QuickLaunchSubfolder = "\\Microsoft\\Internet Explorer\\Quick Launch";

// Brings the desktop, Startup and Quick Launch folders, in that order, in line with the
// ticks: a ticked shortcut that is missing is created, one that exists is left alone
// whatever it points to; an unticked one that exists is deleted. A folder the shell cannot
// name is skipped, rather than putting a shortcut at the root of the current drive.
void SynchroniseShortcuts(ShellLinks& shell, const ShortcutTicks& ticks);

} // namespace meltemix
