#include "core/options/Shortcuts.h"
#include "native/fakes/RecordingOptionsView.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace meltemix;

namespace {

const std::string Desktop = "C:\\Users\\ali\\Desktop\\Meltemix!.lnk";
const std::string Startup = "C:\\Users\\ali\\Start Menu\\Programs\\Startup\\Meltemix!.lnk";
const std::string QuickLaunch =
    "C:\\Users\\ali\\AppData\\Microsoft\\Internet Explorer\\Quick Launch\\Meltemix!.lnk";

TEST(Shortcuts, TicksDecideWhatIsCreatedAndDeleted) {
    struct Case {
        bool ticked;
        bool present;
        std::vector<std::string> actions;
    };
    const Case cases[] = {
        {true, false, {"create " + Desktop}},
        {true, true, {}}, // never rewritten, wherever it points
        {false, true, {"delete " + Desktop}},
        {false, false, {}},
    };
    for (const Case& c : cases) {
        RecordingShellLinks shell;
        if (c.present)
            shell.files.insert(Desktop);
        ShortcutTicks ticks;
        ticks.desktop = c.ticked;
        SynchroniseShortcuts(shell, ticks);
        EXPECT_EQ(shell.actions, c.actions) << "ticked " << c.ticked << ", present " << c.present;
    }
}

TEST(Shortcuts, FoldersInTheirOrder) {
    RecordingShellLinks shell;
    shell.files.insert(Startup);
    SynchroniseShortcuts(shell, {true, false, true});
    EXPECT_EQ(shell.actions, (std::vector<std::string>{"create " + Desktop, "delete " + Startup,
                                                       "create " + QuickLaunch}));
}

TEST(Shortcuts, AFolderTheShellCannotNameIsSkipped) {
    RecordingShellLinks shell;
    shell.folders[SpecialFolder::Desktop] = "";
    shell.folders[SpecialFolder::ApplicationData] = "";
    // A stray file at the root of the drive is nobody's shortcut.
    shell.files.insert("\\Meltemix!.lnk");
    SynchroniseShortcuts(shell, {true, true, false});
    EXPECT_EQ(shell.actions, (std::vector<std::string>{"create " + Startup}));
}

TEST(Shortcuts, ALinkObjectThatCannotBeMadeStopsTheRest) {
    RecordingShellLinks shell;
    shell.refuseLinkObject = true;
    shell.files.insert(QuickLaunch);
    EXPECT_THROW(SynchroniseShortcuts(shell, {false, true, false}), std::runtime_error);
    EXPECT_TRUE(shell.actions.empty());
    EXPECT_TRUE(shell.files.count(QuickLaunch)) << "a later folder was touched after the error";
}

} // namespace
