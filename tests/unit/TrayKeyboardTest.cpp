// The tray icon for the keyboard: the callback version asked for at every add, Enter and
// Space, the menu key at the icon and the focus back on it, the mouse as it always was.
#include "core/app/TrayIcon.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace meltemix;

namespace {

constexpr std::uint32_t Id = 0x000200B2;

struct VersionedShell : TrayShell {
    int newest = 4;     // the newest version the shell knows
    std::vector<int> asked;
    std::vector<std::uint32_t> flags; // of every record sent
    std::vector<std::pair<int, int>> menus;
    int focusReturns = 0;
    bool knowsIconPlace = false;

    bool notify(NotifyCommand, const NotifyRecord& record) override {
        flags.push_back(record.flags);
        return true;
    }
    void cursorPos(int& x, int& y) const override { x = 500, y = 400; }
    TShiftState keyState() const override { return {}; }
    void setAnimationTimer(bool, std::uint32_t) override {}
    void popupMenu(int x, int y) override { menus.emplace_back(x, y); }
    bool setVersion(int version) override {
        asked.push_back(version);
        return version <= newest;
    }
    bool returnFocus() override {
        ++focusReturns;
        return true;
    }
    bool iconCentre(int& x, int& y) const override {
        if (knowsIconPlace)
            x = 1010, y = 750;
        return knowsIconPlace;
    }
};

std::uint64_t Pack(int low, int high) {
    return (static_cast<std::uint64_t>(static_cast<std::uint16_t>(high)) << 16) |
           static_cast<std::uint16_t>(low);
}

class TrayKeyboardTest : public testing::Test {
protected:
    TrayKeyboardTest() {
        tray.SetPopupMenu(true);
        tray.OnKeySelect = [this] { ++selects; };
    }
    void Version4(std::uint32_t event, int x = 1000, int y = 740) {
        tray.Callback(Pack(x, y), Pack(static_cast<int>(event), static_cast<int>(Id)), Id);
    }
    void Version3(std::uint32_t event) { tray.Callback(Id, event, Id); }

    VersionedShell shell;
    TTrayIcon tray{shell, 77, "Meltemix!"};
    int selects = 0;
};

TEST_F(TrayKeyboardTest, TheNewestVersionAskedAtEveryAdd) {
    tray.SetVisible(true);
    EXPECT_EQ(shell.asked, std::vector<int>{4});
    EXPECT_EQ(tray.Version(), 4);
    tray.SetVisible(false);
    shell.newest = 3; // Windows XP
    tray.SetVisible(true);
    EXPECT_EQ(shell.asked, (std::vector<int>{4, 4, 3}));
    EXPECT_EQ(tray.Version(), 3);
    tray.TaskbarCreated(); // a new notification area knows nothing of it
    EXPECT_EQ(tray.Version(), 0);
    tray.SetVisible(true);
    EXPECT_EQ(tray.Version(), 3);
    shell.newest = 0; // a shell before Windows 2000
    tray.SetVisible(false);
    tray.SetVisible(true);
    EXPECT_EQ(tray.Version(), 0);
}

TEST_F(TrayKeyboardTest, TheToolTipStaysUnderVersion4) {
    tray.SetVisible(true);
    // The add, then the same record again once the shell took version 4, with the flag that
    // keeps the standard tool tip, which version 4 leaves out without it.
    ASSERT_EQ(shell.flags.size(), 2u);
    EXPECT_FALSE(shell.flags[0] & NotifyRecord::ShowTip);
    EXPECT_TRUE(shell.flags[1] & NotifyRecord::ShowTip);
    tray.SetHint("Istanbul, Açık, 21° - Meltemix!");
    EXPECT_TRUE(shell.flags.back() & NotifyRecord::ShowTip);
    tray.SetHint("");
    EXPECT_FALSE(shell.flags.back() & NotifyRecord::ShowTip);

    shell.newest = 3; // XP knows no such flag and is never sent it
    tray.SetVisible(false);
    shell.flags.clear();
    tray.SetVisible(true);
    tray.SetHint("Ankara");
    for (std::uint32_t sent : shell.flags)
        EXPECT_FALSE(sent & NotifyRecord::ShowTip);
}

TEST_F(TrayKeyboardTest, TheMouseAsItAlwaysWas) {
    tray.SetVisible(true);
    int clicks = 0, doubles = 0;
    tray.OnClick = [&] { ++clicks; };
    tray.OnDblClick = [&] { ++doubles; };
    // A left click: press, release, then the shell's select, which is the click's own.
    Version4(TrayMouse::LeftDown);
    Version4(TrayMouse::LeftUp);
    Version4(TrayEvent::Select);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(selects, 0);
    Version4(TrayMouse::LeftDouble);
    EXPECT_EQ(doubles, 1);
    // A right click: the release opens nothing, the shell's WM_CONTEXTMENU after it opens
    // the menu once, at the pointer; the focus stays where the mouse put it.
    Version4(TrayMouse::RightDown, 1003, 745);
    Version4(TrayMouse::RightUp, 1003, 745);
    EXPECT_TRUE(shell.menus.empty());
    Version4(TrayEvent::ContextMenu, 1003, 745);
    EXPECT_EQ(shell.menus, (std::vector<std::pair<int, int>>{{500, 400}}));
    EXPECT_EQ(shell.focusReturns, 0);

    // Where the shell knows no version, the release itself opens the menu, as before.
    shell.newest = 0;
    tray.SetVisible(false);
    tray.SetVisible(true);
    tray.Callback(Id, TrayMouse::RightUp, Id);
    EXPECT_EQ(shell.menus.size(), 2u);
}

TEST_F(TrayKeyboardTest, EnterOrSpaceShowsTheWidget) {
    tray.SetVisible(true);
    Version4(TrayEvent::KeySelect);
    EXPECT_EQ(selects, 1);
    Version4(TrayEvent::Select); // Enter on an icon the mouse selected before
    EXPECT_EQ(selects, 2);
    Version3(TrayEvent::KeySelect); // the older packing reads as well
    EXPECT_EQ(selects, 3);
    EXPECT_TRUE(shell.menus.empty());
}

TEST_F(TrayKeyboardTest, TheMenuKeyOpensTheMenuAtTheIcon) {
    tray.SetVisible(true);
    Version4(TrayEvent::ContextMenu, 1000, 740); // the shell gives the icon's point
    EXPECT_EQ(shell.menus, (std::vector<std::pair<int, int>>{{1000, 740}}));
    EXPECT_EQ(shell.focusReturns, 1);
    // The older packing gives no point: the shell is asked where the icon is.
    shell.knowsIconPlace = true;
    Version3(TrayEvent::ContextMenu);
    EXPECT_EQ(shell.menus.back(), std::make_pair(1010, 750));
    EXPECT_EQ(shell.focusReturns, 2);
    // Before Windows 7 nothing tells: the pointer's place is all there is.
    shell.knowsIconPlace = false;
    Version3(TrayEvent::ContextMenu);
    EXPECT_EQ(shell.menus.back(), std::make_pair(500, 400));
    // Without a menu, nothing opens and the focus is left alone.
    tray.SetPopupMenu(false);
    Version4(TrayEvent::ContextMenu);
    EXPECT_EQ(shell.menus.size(), 3u);
    EXPECT_EQ(shell.focusReturns, 3);
}

} // namespace
