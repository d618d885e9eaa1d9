// The notification-area icon against a recording shell.
#include "core/app/TrayIcon.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

using namespace meltemix;

namespace {

struct RecordingShell : TrayShell {
    std::vector<std::pair<NotifyCommand, NotifyRecord>> calls;
    bool refuse = false;
    bool timer = false;
    int popups = 0;

    bool notify(NotifyCommand command, const NotifyRecord& record) override {
        calls.emplace_back(command, record);
        return !refuse;
    }
    void cursorPos(int& x, int& y) const override { x = 10, y = 20; }
    TShiftState keyState() const override {
        TShiftState s;
        s.ctrl = true;
        return s;
    }
    void setAnimationTimer(bool enabled, std::uint32_t) override { timer = enabled; }
    void popupMenu(int, int) override { ++popups; }
};

class TrayIconTest : public testing::Test {
protected:
    RecordingShell shell;
    TTrayIcon tray{shell, 77, "Meltemix!"};
};

TEST_F(TrayIconTest, AddsAndRemovesOnlyOnAChange) {
    EXPECT_TRUE(shell.calls.empty()); // hidden at construction: nothing for the shell
    tray.SetVisible(true);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].first, NotifyCommand::Add);
    EXPECT_EQ(shell.calls[0].second.icon, 77u); // the application's icon stands in
    EXPECT_EQ(shell.calls[0].second.tip, "Meltemix!");
    EXPECT_EQ(shell.calls[0].second.flags, NotifyRecord::Message | NotifyRecord::Icon | NotifyRecord::Tip);
    tray.SetVisible(true);
    EXPECT_EQ(shell.calls.size(), 1u);
    tray.SetVisible(false);
    EXPECT_EQ(shell.calls.back().first, NotifyCommand::Delete);
}

TEST_F(TrayIconTest, ARefusedAddIsReportedAndCanBeTriedAgain) {
    shell.refuse = true;
    try {
        tray.SetVisible(true);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Cannot create shell notification icon");
    }
    EXPECT_FALSE(tray.Visible());
    shell.refuse = false;
    tray.SetVisible(true);
    EXPECT_EQ(shell.calls.back().first, NotifyCommand::Add);
    shell.refuse = true;
    EXPECT_THROW(tray.SetVisible(false), std::runtime_error);
}

// A shell too busy to answer an add in time: the add fails, and the icon lands anyway,
// before the next call or only after `busyCalls` more calls. It knows which icon it holds.
struct BusyShell : RecordingShell {
    bool holds = false;
    int landsAfter = -1; // calls until a timed-out add lands; -1: none pending
    int busyCalls = 0;

    bool notify(NotifyCommand command, const NotifyRecord& record) override {
        RecordingShell::notify(command, record);
        if (landsAfter >= 0 && landsAfter-- == 0)
            holds = true;
        switch (command) {
        case NotifyCommand::Add:
            if (!holds)
                landsAfter = busyCalls;
            return false;
        case NotifyCommand::Modify: return holds;
        case NotifyCommand::Delete: return std::exchange(holds, false);
        }
        return false;
    }
};

TEST(TrayIconLateAdd, AnIconTheShellAddedAfterAFailedAddIsTheProgramsIcon) {
    struct Case {
        const char* what;
        int busyCalls;  // how long the timed-out add takes to land
        int attempts;   // SetVisible(true) calls until the icon counts as shown
    };
    for (const Case& c : {Case{"lands before the modify", 0, 1},
                          Case{"lands after the modify: the next attempt finds it", 1, 2}}) {
        BusyShell shell;
        shell.busyCalls = c.busyCalls;
        TTrayIcon tray{shell, 77, "Meltemix!"};
        int attempts = 0;
        while (!tray.Visible() && attempts < 3) {
            ++attempts;
            try {
                tray.SetVisible(true);
            } catch (const std::runtime_error&) {
            }
        }
        EXPECT_EQ(attempts, c.attempts) << c.what;
        ASSERT_TRUE(tray.Visible()) << c.what;
        // The icon is the program's from now on: its tip changes, it can be removed.
        tray.SetHint("İstanbul, Güneşli, 21°");
        EXPECT_EQ(shell.calls.back().first, NotifyCommand::Modify) << c.what;
        tray.SetVisible(false);
        EXPECT_EQ(shell.calls.back().first, NotifyCommand::Delete) << c.what;
        EXPECT_FALSE(shell.holds) << c.what;
    }
}

TEST_F(TrayIconTest, TextsAreCutToTheShellsBuffers) {
    tray.SetVisible(true);
    // A tip too long ends at a word, with an ellipsis, within 127 UTF-16 units.
    const std::string place = "Kahramanmaraş Büyükşehir, ";
    tray.SetHint(place + std::string(101, 'y') + " - Meltemix!");
    EXPECT_EQ(shell.calls.back().second.tip, "Kahramanmaraş Büyükşehir…");
    tray.SetHint(place + std::string(100, 'y') + " - Meltemix!"); // cut by units, not bytes
    EXPECT_EQ(shell.calls.back().second.tip, place + std::string(100, 'y') + "…");
    tray.SetHint(std::string(130, 'h')); // one word too long: cut where the room ends
    EXPECT_EQ(shell.calls.back().second.tip, std::string(126, 'h') + "…");
    EXPECT_EQ(tray.Hint().size(), 130u);
    tray.SetBalloonTitle(std::string(70, 't'));
    EXPECT_EQ(shell.calls.back().second.infoTitle.size(), 63u);
    tray.SetBalloonHint(std::string(300, 'b'));
    EXPECT_EQ(shell.calls.back().second.info.size(), 255u);
    tray.SetHint("");
    EXPECT_EQ(shell.calls.back().second.flags & NotifyRecord::Tip, 0u);
}

TEST_F(TrayIconTest, TheBalloonShowsUntilTheShellHidesIt) {
    tray.SetBalloonFlags(bfInfo);
    tray.ShowBalloonHint(); // not visible: the shell refuses quietly
    tray.SetVisible(true);
    tray.ShowBalloonHint();
    EXPECT_EQ(shell.calls.back().second.infoFlags, 1u);
    EXPECT_TRUE(shell.calls.back().second.flags & NotifyRecord::Info);
    tray.SetHint("Istanbul"); // while it is set, every change shows the balloon anew
    EXPECT_TRUE(shell.calls.back().second.flags & NotifyRecord::Info);
    tray.WindowProc(TrayMouse::BalloonTimeout);
    tray.SetHint("Ankara");
    EXPECT_FALSE(shell.calls.back().second.flags & NotifyRecord::Info);

    // Clicked away, the balloon gets no hide notice: the click ends it all the same.
    tray.ShowBalloonHint();
    tray.WindowProc(TrayMouse::BalloonUserClick);
    tray.SetHint("İzmir");
    EXPECT_FALSE(shell.calls.back().second.flags & NotifyRecord::Info);
}

TEST_F(TrayIconTest, MouseMessagesBecomeEvents) {
    std::vector<std::string> events;
    tray.OnClick = [&] { events.push_back("click"); };
    tray.OnDblClick = [&] { events.push_back("dbl"); };
    tray.OnMouseDown = [&](TMouseButton b, TShiftState s, int x, int y) {
        events.push_back("down" + std::to_string(int(b)) + (s.ctrl ? "c" : "") +
                         (s.right ? "r" : "") + std::to_string(x + y));
    };
    tray.OnMouseUp = [&](TMouseButton b, TShiftState, int, int) {
        events.push_back("up" + std::to_string(int(b)));
    };
    tray.WindowProc(TrayMouse::LeftUp); // no press reached the icon: no click
    tray.WindowProc(TrayMouse::LeftDown);
    tray.WindowProc(TrayMouse::LeftUp);
    tray.WindowProc(TrayMouse::RightDown);
    tray.WindowProc(TrayMouse::RightUp);
    for (auto m : {TrayMouse::LeftDouble, TrayMouse::RightDouble, TrayMouse::MiddleDouble})
        tray.WindowProc(m);
    EXPECT_EQ(events, (std::vector<std::string>{"up0", "down0c30", "click", "up0", "down1cr30",
                                                "up1", "dbl", "dbl", "dbl"}));
    EXPECT_EQ(shell.popups, 0);
    tray.SetPopupMenu(true);
    tray.WindowProc(TrayMouse::RightUp);
    EXPECT_EQ(shell.popups, 1);
}

TEST_F(TrayIconTest, AfterAShellRestartTheIconIsAddedAnewWithoutItsBalloon) {
    tray.SetVisible(true);
    tray.ShowBalloonHint();
    tray.TaskbarCreated();
    EXPECT_FALSE(tray.Visible()); // the new notification area is empty
    const std::size_t before = shell.calls.size();
    tray.SetVisible(true);
    ASSERT_EQ(shell.calls.size(), before + 1);
    EXPECT_EQ(shell.calls.back().first, NotifyCommand::Add);
    EXPECT_FALSE(shell.calls.back().second.flags & NotifyRecord::Info);
}

TEST_F(TrayIconTest, AnimationCyclesThroughTheFrames) {
    tray.SetIcons({1, 2, 3});
    tray.SetAnimate(true);
    EXPECT_FALSE(shell.timer); // runs only while visible
    tray.SetVisible(true);
    EXPECT_TRUE(shell.timer);
    std::vector<std::uintptr_t> shown;
    for (int i = 0; i < 4; ++i) {
        tray.AnimationTick();
        shown.push_back(shell.calls.back().second.icon);
    }
    EXPECT_EQ(shown, (std::vector<std::uintptr_t>{2, 3, 1, 2}));
    tray.SetAnimate(false);
    EXPECT_FALSE(shell.timer);
    EXPECT_EQ(tray.Icon(), 2u); // the frame on show becomes the static icon
}

} // namespace
